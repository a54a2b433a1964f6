#include "platform/motion/AttitudeFilter.h"

#include <cmath>

namespace motion {

namespace {

constexpr double kStandardGravity = 9.80665;  // m/s²

bool isFinite(const Vector3& v) {
  return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

double length(const Vector3& v) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// A rotation by `angle` about `axis` (any non-zero length).
Quaternion aboutAxis(const Vector3& axis, double angle) {
  double n = length(axis);
  double s = std::sin(angle / 2) / n;
  return {std::cos(angle / 2), axis[0] * s, axis[1] * s, axis[2] * s};
}

Vector3 rotate(const Quaternion& q, const Vector3& v) {
  Quaternion r = q * Quaternion{0, v[0], v[1], v[2]} * q.conjugate();
  return {r.x, r.y, r.z};
}

Quaternion normalised(const Quaternion& q) {
  return Attitude(q).quaternion();
}

}  // namespace

void AttitudeFilter::update(const Vector3& acceleration, const Vector3& rotationRate, double dt) {
  if (!isFinite(acceleration) || !isFinite(rotationRate) || !std::isfinite(dt) || dt < 0) return;
  double a = length(acceleration);
  bool gravityReliable = std::abs(a / kStandardGravity - 1) <= kGravityTolerance;
  // The direction of gravity in the device's frame: opposite to what the sensor feels.
  Vector3 down{-acceleration[0] / a, -acceleration[1] / a, -acceleration[2] / a};

  if (!q_) {
    if (gravityReliable) q_ = Attitude::fromGravity(down[0], down[1], down[2]).quaternion();
    return;
  }

  double rate = length(rotationRate);
  if (rate > 0) q_ = normalised(*q_ * aboutAxis(rotationRate, rate * dt));

  if (!gravityReliable) return;
  // Where the accelerometer's "down" lands in the reference frame, and the turn
  // about a horizontal axis that would bring it onto the true down.
  Vector3 seen = rotate(*q_, down);
  Vector3 axis{-seen[1], seen[0], 0};  // seen × (0, 0, -1)
  double error = std::atan2(length(axis), -seen[2]);
  if (length(axis) == 0) return;
  double share = dt / (kTimeConstant + dt);
  q_ = normalised(aboutAxis(axis, error * share) * *q_);
}

std::optional<Attitude> AttitudeFilter::attitude() const {
  if (!q_) return std::nullopt;
  return Attitude(*q_);
}

}  // namespace motion
