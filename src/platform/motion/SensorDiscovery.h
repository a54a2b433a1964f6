#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/motion/ControllerSensors.h"
#include "platform/motion/MotionSource.h"

namespace motion {

// Finds the motion sensor to use, in this order: a game controller with an
// accelerometer and a gyro, a Linux IIO accelerometer, or none.
class SensorDiscovery {
 public:
  // A fresh source for the first sensor present now; null if there is none.
  static std::shared_ptr<MotionSource> find();

  // How to reach a game controller's sensors, given by the window-system
  // backend that can (sdl/) when it starts; without one no controller is sought.
  using ControllerSensorsFactory = std::function<std::unique_ptr<ControllerSensors>()>;
  static void setControllerSensorsFactory(ControllerSensorsFactory factory);

  // Tests: find() yields exactly `source` while it is present (null: never any
  // sensor); nullopt looks for real sensors again.
  static void setOverride(std::optional<std::shared_ptr<MotionSource>> source);
};

}  // namespace motion
