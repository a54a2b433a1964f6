#pragma once

#include <optional>

namespace motion {

// Device motion. Where a motion sensor is found on this machine: a Linux IIO
// accelerometer.
class MotionManager {
 public:
  bool isAccelerometerAvailable() const;

  // Tests: pretend a sensor is there, or is not; nullopt looks for real.
  static void setAvailabilityOverride(std::optional<bool> available);
};

}  // namespace motion
