#include "platform/motion/Attitude.h"

#include <algorithm>
#include <cmath>

namespace motion {

namespace {
Quaternion aboutAxis(double ax, double ay, double az, double angle) {
  double s = std::sin(angle / 2);
  return {std::cos(angle / 2), ax * s, ay * s, az * s};
}
}  // namespace

Quaternion operator*(const Quaternion& a, const Quaternion& b) {
  return {
      a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
      a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

Attitude::Attitude(Quaternion q) : q_(q) {
  double n = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
  if (n > 0 && std::isfinite(n)) q_ = {q.w / n, q.x / n, q.y / n, q.z / n};
}

Attitude Attitude::fromRollPitchYaw(double roll, double pitch, double yaw) {
  return Attitude(aboutAxis(0, 0, 1, yaw) * aboutAxis(1, 0, 0, pitch) * aboutAxis(0, 1, 0, roll));
}

Attitude Attitude::fromGravity(double gx, double gy, double gz) {
  double pitch = std::atan2(-gy, std::hypot(gx, gz));
  double roll = std::atan2(gx, -gz);
  return fromRollPitchYaw(roll, pitch, 0);
}

double Attitude::roll() const {
  const auto& [w, x, y, z] = q_;
  return std::atan2(2 * (w * y - x * z), 1 - 2 * (x * x + y * y));
}

double Attitude::pitch() const {
  const auto& [w, x, y, z] = q_;
  // Rounding can carry the sine just past 1 at a vertical device.
  return std::asin(std::clamp(2 * (w * x + y * z), -1.0, 1.0));
}

double Attitude::yaw() const {
  const auto& [w, x, y, z] = q_;
  return std::atan2(2 * (w * z - x * y), 1 - 2 * (x * x + z * z));
}

void Attitude::multiplyByInverseOfAttitude(const Attitude& reference) {
  q_ = reference.q_.conjugate() * q_;
}

bool Attitude::isValid() const {
  double n = q_.w * q_.w + q_.x * q_.x + q_.y * q_.y + q_.z * q_.z;
  return std::isfinite(n) && std::abs(n - 1) < 1e-9;
}

}  // namespace motion
