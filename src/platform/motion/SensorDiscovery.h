#pragma once

#include <memory>
#include <optional>

#include "platform/motion/MotionSource.h"

namespace motion {

// Finds the motion sensor to use, in this order: a game controller with an
// accelerometer and a gyro, a Linux IIO accelerometer, or none.
class SensorDiscovery {
 public:
  // A fresh source for the first sensor present now; null if there is none.
  static std::shared_ptr<MotionSource> find();

  // Tests: find() yields exactly `source` while it is present (null: never any
  // sensor); nullopt looks for real sensors again.
  static void setOverride(std::optional<std::shared_ptr<MotionSource>> source);
};

}  // namespace motion
