#include "platform/motion/MotionManager.h"

#include <gtest/gtest.h>

#include <future>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/motion/MotionTestSupport.h"
#include "platform/motion/ScriptedMotionSource.h"

namespace motion {
namespace {

using motion::testing::drain;

// The handler's view of the samples, from the queue's thread.
struct Received {
  std::mutex mutex;
  std::vector<double> timestamps;
  int empty = 0;
  std::thread::id thread;

  MotionManager::Handler handler() {
    return [this](std::optional<DeviceMotion> m) {
      std::lock_guard lock(mutex);
      thread = std::this_thread::get_id();
      if (m) {
        timestamps.push_back(m->timestamp);
      } else {
        ++empty;
      }
    };
  }
};

class MotionManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { MotionManager::setSourceOverride(source); }
  void TearDown() override { MotionManager::setSourceOverride(std::nullopt); }

  static DeviceMotion at(double t) { return {Attitude::fromRollPitchYaw(0.1, 0.2, 0.3), t}; }
  static std::shared_ptr<foundation::DispatchQueue> newQueue() {
    return std::make_shared<foundation::DispatchQueue>("motion");
  }

  std::shared_ptr<ScriptedMotionSource> source = std::make_shared<ScriptedMotionSource>();
  Received received;
};

TEST_F(MotionManagerTest, SamplesReachTheHandlerInOrderOnTheStartsQueue) {
  MotionManager manager;
  EXPECT_TRUE(manager.isDeviceMotionAvailable());
  EXPECT_TRUE(manager.isAccelerometerAvailable());
  manager.setDeviceMotionUpdateInterval(0.12);
  auto queue = newQueue();
  manager.startDeviceMotionUpdates(queue, received.handler());
  EXPECT_TRUE(manager.isDeviceMotionActive());
  EXPECT_EQ(manager.deviceMotionQueue(), queue);
  EXPECT_DOUBLE_EQ(source->interval(), 0.12);
  for (int i = 1; i <= 50; ++i) source->emit(at(i));
  drain(*queue);
  ASSERT_EQ(received.timestamps.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(received.timestamps[i], i + 1);
  EXPECT_NE(received.thread, std::this_thread::get_id());
  EXPECT_EQ(received.empty, 0);
}

TEST_F(MotionManagerTest, AbsurdSamplesAreDropped) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr double inf = std::numeric_limits<double>::infinity();
  MotionManager manager;
  auto queue = newQueue();
  manager.startDeviceMotionUpdates(queue, received.handler());
  source->emit({Attitude({nan, 0, 0, 0}), 1});
  source->emit({Attitude({1, inf, 0, 0}), 2});
  source->emit({Attitude({0, 0, 0, 0}), 3});
  source->emit({Attitude::fromRollPitchYaw(inf, 0, 0), 4});
  source->emit({Attitude(), nan});
  source->emit({Attitude(), -inf});
  source->emit(at(7));
  drain(*queue);
  EXPECT_EQ(received.timestamps, std::vector<double>{7});
}

TEST_F(MotionManagerTest, AfterStopNothingMoreIsDeliveredNotEvenWhatWasQueued) {
  MotionManager manager;
  auto queue = newQueue();
  manager.startDeviceMotionUpdates(queue, received.handler());
  // Hold the queue so that the next samples wait in it.
  std::promise<void> gate;
  queue->async([opened = gate.get_future().share()] { opened.wait(); });
  source->emit(at(1));
  source->emit(at(2));
  manager.stopDeviceMotionUpdates();
  EXPECT_FALSE(manager.isDeviceMotionActive());
  EXPECT_FALSE(source->isRunning());
  source->emit(at(3));
  gate.set_value();
  drain(*queue);
  EXPECT_TRUE(received.timestamps.empty());
}

TEST_F(MotionManagerTest, ANewStartReplacesTheHandlerAndTheQueue) {
  MotionManager manager;
  Received second;
  auto firstQueue = newQueue();
  auto secondQueue = newQueue();
  manager.startDeviceMotionUpdates(firstQueue, received.handler());
  source->emit(at(1));
  drain(*firstQueue);
  manager.startDeviceMotionUpdates(secondQueue, second.handler());
  source->emit(at(2));
  drain(*firstQueue);
  drain(*secondQueue);
  EXPECT_EQ(received.timestamps, std::vector<double>{1});
  EXPECT_EQ(second.timestamps, std::vector<double>{2});
  EXPECT_EQ(source->startCount(), 2);
  EXPECT_TRUE(source->isRunning());
}

TEST_F(MotionManagerTest, AHandlerMayStopTheUpdatesItself) {
  MotionManager manager;
  auto queue = newQueue();
  int calls = 0;
  manager.startDeviceMotionUpdates(queue, [&](std::optional<DeviceMotion>) {
    ++calls;
    manager.stopDeviceMotionUpdates();
  });
  source->emit(at(1));
  source->emit(at(2));
  drain(*queue);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(manager.isDeviceMotionActive());
}

TEST_F(MotionManagerTest, ASensorThatGoesAwayEndsTheUpdatesQuietly) {
  MotionManager manager;
  auto queue = newQueue();
  manager.startDeviceMotionUpdates(queue, received.handler());
  source->emit(at(1));
  source->disappear();
  source->emit(at(2));
  drain(*queue);
  EXPECT_FALSE(manager.isDeviceMotionActive());
  EXPECT_FALSE(manager.isDeviceMotionAvailable());
  EXPECT_EQ(received.timestamps, std::vector<double>{1});
  // Starting again finds nothing and stays inactive.
  manager.startDeviceMotionUpdates(newQueue(), received.handler());
  EXPECT_FALSE(manager.isDeviceMotionActive());
  manager.stopDeviceMotionUpdates();
}

TEST_F(MotionManagerTest, WithoutASensorNothingStarts) {
  MotionManager::setSourceOverride(nullptr);
  MotionManager manager;
  EXPECT_FALSE(manager.isDeviceMotionAvailable());
  EXPECT_FALSE(manager.isAccelerometerAvailable());
  manager.startDeviceMotionUpdates(newQueue(), received.handler());
  EXPECT_FALSE(manager.isDeviceMotionActive());

  MotionManager::setAvailabilityOverride(true);
  EXPECT_TRUE(manager.isAccelerometerAvailable());
  MotionManager::setAvailabilityOverride(false);
  EXPECT_FALSE(manager.isAccelerometerAvailable());
}

TEST_F(MotionManagerTest, TheUpdateIntervalIsClampedAndNaNIsIgnored) {
  MotionManager manager;
  EXPECT_DOUBLE_EQ(manager.deviceMotionUpdateInterval(), MotionManager::kDefaultUpdateInterval);
  manager.setDeviceMotionUpdateInterval(0);
  EXPECT_DOUBLE_EQ(manager.deviceMotionUpdateInterval(), MotionManager::kShortestUpdateInterval);
  manager.setDeviceMotionUpdateInterval(0.5);
  manager.setDeviceMotionUpdateInterval(std::numeric_limits<double>::quiet_NaN());
  EXPECT_DOUBLE_EQ(manager.deviceMotionUpdateInterval(), 0.5);
}

}  // namespace
}  // namespace motion
