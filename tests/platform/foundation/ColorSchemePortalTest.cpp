#include "platform/foundation/ColorSchemePortal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

#include "support/PortalStandIn.h"
#include "support/SessionBus.h"

namespace {

using foundation::ColorSchemePortal;
using Scheme = ColorSchemePortal::Scheme;
using namespace std::chrono_literals;

// What a portal client reported, in order, from its thread.
class Reports {
 public:
  ColorSchemePortal::Handler handler() {
    return [this](Scheme scheme) {
      std::lock_guard lock(mutex_);
      schemes_.push_back(scheme);
      changed_.notify_all();
    };
  }
  // Waits (at most long enough for a loaded machine) until there are `count`.
  std::vector<Scheme> waitFor(std::size_t count, std::chrono::milliseconds timeout = 10s) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return schemes_.size() >= count; });
    return schemes_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Scheme> schemes_;
};

// The real bus and a portal on it: the first reading, then each change the
// portal announces, and nothing after stop().
TEST(ColorSchemePortal, ReadsTheDesktopPreferenceAndFollowsItsChanges) {
  SessionBus bus;
  ASSERT_FALSE(bus.address().empty()) << "dbus-daemon did not start";
  PortalStandIn portal(bus.address(), 1);
  ASSERT_TRUE(portal.ok());
  Reports reports;
  ColorSchemePortal client(bus.address(), reports.handler());
  EXPECT_EQ(client.waitForFirstReading(10s), Scheme::Dark);
  EXPECT_EQ(reports.waitFor(1), (std::vector<Scheme>{Scheme::Dark}));

  portal.announceOther("org.freedesktop.appearance", "accent-color", 1);
  portal.announceOther("org.gnome.desktop.interface", "color-scheme", 1);
  portal.setColorScheme(2);
  EXPECT_EQ(reports.waitFor(2), (std::vector<Scheme>{Scheme::Dark, Scheme::Light}))
      << "other settings are not the colour scheme";
  portal.setColorScheme(0);
  EXPECT_EQ(reports.waitFor(3),
            (std::vector<Scheme>{Scheme::Dark, Scheme::Light, Scheme::NoPreference}));

  client.stop();
  portal.setColorScheme(1);
  // The portal answered the changes above within milliseconds; this one has
  // nobody left to hear it.
  EXPECT_EQ(reports.waitFor(4, 300ms).size(), 3u);
}

TEST(ColorSchemePortal, AnOlderPortalIsReadThroughRead) {
  SessionBus bus;
  ASSERT_FALSE(bus.address().empty());
  PortalStandIn portal(bus.address(), 1, false);
  ASSERT_TRUE(portal.ok());
  Reports reports;
  ColorSchemePortal client(bus.address(), reports.handler());
  EXPECT_EQ(client.waitForFirstReading(10s), Scheme::Dark);
  EXPECT_EQ(portal.reads(), 1);
}

// No bus, a bus that is not there, or a bus without a portal: no reading,
// nothing reported, and the client neither hangs nor holds up its owner.
TEST(ColorSchemePortal, WithoutABusOrAPortalNothingIsReported) {
  Reports reports;
  {
    ColorSchemePortal none("", reports.handler());
    EXPECT_EQ(none.waitForFirstReading(0ms), std::nullopt);
  }
  {
    ColorSchemePortal gone("unix:path=/nonexistent/bus", reports.handler());
    EXPECT_EQ(gone.waitForFirstReading(10s), std::nullopt);
  }
  SessionBus bus;
  ASSERT_FALSE(bus.address().empty());
  {
    ColorSchemePortal empty(bus.address(), reports.handler());
    EXPECT_EQ(empty.waitForFirstReading(10s), std::nullopt);
  }
  {
    // Stopped before it can have read anything.
    ColorSchemePortal early(bus.address(), reports.handler());
  }
  EXPECT_TRUE(reports.waitFor(0).empty());
}

TEST(ColorSchemePortal, TheSessionBusIsNeverStartedToBeFound) {
  const char* savedAddress = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const char* savedRuntime = std::getenv("XDG_RUNTIME_DIR");
  std::string address = savedAddress ? savedAddress : "";
  std::string runtime = savedRuntime ? savedRuntime : "";
  auto dir = std::filesystem::temp_directory_path() / "tamarock-portal-runtime";
  std::filesystem::create_directories(dir);

  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/somewhere", 1);
  EXPECT_EQ(ColorSchemePortal::sessionBusAddress(), "unix:path=/somewhere");
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  EXPECT_EQ(ColorSchemePortal::sessionBusAddress(), "") << "no bus socket in the runtime folder";
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(ColorSchemePortal::sessionBusAddress(), "");

  std::filesystem::remove_all(dir);
  if (savedAddress) setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
  if (savedRuntime) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

}  // namespace
