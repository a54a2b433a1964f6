#include "platform/motion/ControllerSource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <future>

#include "platform/motion/MotionTestSupport.h"
#include "platform/motion/SensorDiscovery.h"

namespace motion {
namespace {

// A controller lying still with its right edge 0.3 rad down, until unplugged.
struct FakeSensors : ControllerSensors {
  struct Log {
    std::atomic<int> opens = 0, closes = 0;
    std::atomic<bool> attached = true;
    bool willOpen = true;
  };
  explicit FakeSensors(std::shared_ptr<Log> log) : log(std::move(log)) {}
  bool isPresent() override { return log->attached; }
  bool open() override {
    ++log->opens;
    return log->willOpen && log->attached;
  }
  std::optional<Reading> read() override {
    if (!log->attached) return std::nullopt;
    const double g = 9.80665;
    return Reading{{-g * std::sin(0.3), 0, g * std::cos(0.3)}, {0, 0, 0}};
  }
  void close() override { ++log->closes; }
  std::shared_ptr<Log> log;
};

TEST(ControllerSourceTest, FusesTheSensorsAndClosesTheControllerOnStop) {
  auto log = std::make_shared<FakeSensors::Log>();
  ControllerSource source(std::make_unique<FakeSensors>(log));
  EXPECT_TRUE(source.isPresent());
  auto first = std::make_shared<std::promise<DeviceMotion>>();
  auto future = first->get_future();
  auto taken = std::make_shared<std::atomic<bool>>(false);
  ASSERT_TRUE(source.start(0.12, {.sample =
                                      [first, taken](const DeviceMotion& m) {
                                        if (!taken->exchange(true)) first->set_value(m);
                                      },
                                  .lost = [] {}}));
  EXPECT_EQ(log->opens, 1);
  ASSERT_EQ(future.wait_for(testing::kSensorPatience), std::future_status::ready);
  EXPECT_NEAR(future.get().attitude.roll(), 0.3, 1e-6);
  EXPECT_EQ(log->closes, 0);
  source.stop();
  EXPECT_EQ(log->closes, 1);
  source.stop();
  EXPECT_EQ(log->closes, 1);
}

TEST(ControllerSourceTest, AnUnpluggedControllerIsReportedLost) {
  auto log = std::make_shared<FakeSensors::Log>();
  ControllerSource source(std::make_unique<FakeSensors>(log));
  auto lost = std::make_shared<std::promise<void>>();
  auto future = lost->get_future();
  ASSERT_TRUE(source.start(
      0.12, {.sample = [](const DeviceMotion&) {}, .lost = [lost] { lost->set_value(); }}));
  log->attached = false;
  EXPECT_EQ(future.wait_for(testing::kSensorPatience), std::future_status::ready);
  EXPECT_FALSE(source.isPresent());
  source.stop();
  EXPECT_EQ(log->closes, 1);
}

TEST(ControllerSourceTest, AControllerThatWillNotOpenStartsNothing) {
  auto log = std::make_shared<FakeSensors::Log>();
  log->willOpen = false;
  ControllerSource source(std::make_unique<FakeSensors>(log));
  EXPECT_FALSE(source.start(0.12, {}));
  source.stop();
  EXPECT_EQ(log->closes, 0);
}

// The discovery reaches a controller only through the sensors the window-system
// backend hands it, and takes it before any other sensor.
TEST(ControllerSourceTest, DiscoveryFindsAControllerThroughTheBackendsSensors) {
  SensorDiscovery::setOverride(std::nullopt);
  auto log = std::make_shared<FakeSensors::Log>();
  auto made = std::make_shared<int>(0);
  SensorDiscovery::setControllerSensorsFactory([log, made] {
    ++*made;
    return std::make_unique<FakeSensors>(log);
  });
  auto found = SensorDiscovery::find();
  SensorDiscovery::setControllerSensorsFactory(nullptr);
  EXPECT_EQ(*made, 1);
  EXPECT_TRUE(std::dynamic_pointer_cast<ControllerSource>(found));
}

}  // namespace
}  // namespace motion
