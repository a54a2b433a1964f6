#pragma once

#include "platform/motion/Attitude.h"

namespace motion {

// One sample of the device's motion.
struct DeviceMotion {
  Attitude attitude;
  double timestamp = 0;  // seconds on the sensor's monotonic clock
};

}  // namespace motion
