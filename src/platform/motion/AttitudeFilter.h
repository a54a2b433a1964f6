#pragma once

#include <optional>

#include "platform/motion/Attitude.h"
#include "platform/motion/Vector3.h"

namespace motion {

// Fuses a gyro and an accelerometer into an attitude with a complementary
// filter: the gyro's rotation is integrated every step, and the tilt is pulled
// towards what the accelerometer says with the time constant below. The gyro is
// precise over short times but drifts; the accelerometer knows where down is
// but shakes with every movement of the hands. Yaw comes from the gyro alone.
class AttitudeFilter {
 public:
  // Half a second lets a child's quick shake pass without swinging the tilt,
  // while the gyro's slow drift (a few degrees a minute) is corrected long
  // before anyone could see it.
  static constexpr double kTimeConstant = 0.5;  // seconds
  // A reading further than this from 1 g is mostly the hands' acceleration,
  // not gravity: it does not correct the tilt.
  static constexpr double kGravityTolerance = 0.25;  // fraction of g

  // acceleration in m/s² as the sensor feels it (about +9.8 on z lying face
  // up), rotationRate in rad/s, both in the device's frame; dt in seconds
  // since the previous update. Readings that are not finite are ignored.
  void update(const Vector3& acceleration, const Vector3& rotationRate, double dt);

  // Nullopt until a reading has shown which way is down.
  std::optional<Attitude> attitude() const;

 private:
  std::optional<Quaternion> q_;
};

}  // namespace motion
