#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/foundation/DispatchQueue.h"
#include "platform/motion/DeviceMotion.h"
#include "platform/motion/MotionSource.h"

namespace motion {

// Device motion from the first sensor the discovery finds (a game controller
// with motion sensors, a Linux IIO accelerometer, or none). Samples of one
// start reach its handler in order on that start's serial queue; a newer start
// replaces the handler. Samples that are not a valid rotation are dropped. A
// sensor that goes away ends the updates quietly. Call from the main thread;
// a handler may also stop the updates from inside itself.
class MotionManager {
 public:
  using Handler = std::function<void(std::optional<DeviceMotion>)>;

  static constexpr double kDefaultUpdateInterval = 0.1;  // seconds
  static constexpr double kShortestUpdateInterval = 0.01;

  MotionManager() = default;
  ~MotionManager();
  MotionManager(const MotionManager&) = delete;
  MotionManager& operator=(const MotionManager&) = delete;

  // Both use the same discovery, so they agree with what a start would find.
  bool isDeviceMotionAvailable() const;
  bool isAccelerometerAvailable() const;

  // Takes effect at the next start; clamped to the shortest interval.
  void setDeviceMotionUpdateInterval(double seconds);
  double deviceMotionUpdateInterval() const { return interval_; }

  // Stops any running updates first. Does nothing without a queue, a handler
  // or a sensor.
  void startDeviceMotionUpdates(std::shared_ptr<foundation::DispatchQueue> queue, Handler handler);
  // Once it returns the handler is not called again (a call running on the
  // queue at that moment is waited for, unless it is the caller).
  void stopDeviceMotionUpdates();
  // False after a stop, and once the sensor went away.
  bool isDeviceMotionActive() const;
  // The queue of the latest start.
  std::shared_ptr<foundation::DispatchQueue> deviceMotionQueue() const { return queue_; }

  // Tests: see SensorDiscovery::setOverride.
  static void setSourceOverride(std::optional<std::shared_ptr<MotionSource>> source);
  // Tests: only whether a sensor is there; true puts a silent scripted sensor in place.
  static void setAvailabilityOverride(std::optional<bool> available);

 private:
  struct Delivery;

  double interval_ = kDefaultUpdateInterval;
  std::shared_ptr<MotionSource> source_;
  std::shared_ptr<foundation::DispatchQueue> queue_;
  std::shared_ptr<Delivery> delivery_;
};

}  // namespace motion
