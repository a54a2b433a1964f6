#pragma once

#include <gio/gio.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

// Stands in for the desktop portal on a test's bus: owns
// org.freedesktop.portal.Desktop and answers the Settings interface's Read
// (and, unless told otherwise, the newer ReadOne) for the colour scheme, on a
// thread of its own. ok() is false when it could not take the name.
class PortalStandIn {
 public:
  PortalStandIn(const std::string& busAddress, std::uint32_t colorScheme,
                bool answersReadOne = true);
  ~PortalStandIn();
  PortalStandIn(const PortalStandIn&) = delete;
  PortalStandIn& operator=(const PortalStandIn&) = delete;

  bool ok() const { return registration_ != 0; }
  // Answers with `value` from now on and announces it with SettingChanged.
  void setColorScheme(std::uint32_t value);
  // Announces a setting the program does not follow.
  void announceOther(const char* space, const char* key, std::uint32_t value);
  int reads() const { return reads_.load(); }

 private:
  static void onCall(GDBusConnection*, const char*, const char*, const char*, const char* method,
                     GVariant* parameters, GDBusMethodInvocation* invocation, gpointer self);

  GMainContext* context_ = nullptr;
  GMainLoop* loop_ = nullptr;
  GDBusConnection* connection_ = nullptr;
  guint registration_ = 0;
  std::atomic<std::uint32_t> scheme_;
  std::atomic<int> reads_{0};
  bool answersReadOne_;
  std::thread thread_;
};
