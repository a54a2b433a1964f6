#pragma once

namespace motion {

// A unit quaternion; (1, 0, 0, 0) is no rotation.
struct Quaternion {
  double w = 1, x = 0, y = 0, z = 0;

  Quaternion conjugate() const { return {w, -x, -y, -z}; }
  friend Quaternion operator*(const Quaternion& a, const Quaternion& b);
};

// The device's orientation: the rotation that takes the device's frame (x to
// the right edge, y to the top edge, z out of the screen) into the reference
// frame (z up). Roll turns about y (right edge down is positive), pitch about
// x (top edge up is positive), yaw about z; the quaternion is
// yaw(z) * pitch(x) * roll(y), so gravity does not depend on yaw.
class Attitude {
 public:
  Attitude() = default;
  explicit Attitude(Quaternion q);  // normalised; a zero or non-finite one stays as given

  static Attitude fromRollPitchYaw(double roll, double pitch, double yaw);
  // Roll and pitch from the direction of gravity in the device's frame ((0, 0, -1) lying face
  // up, any length); yaw cannot be known from gravity and is 0.
  static Attitude fromGravity(double gx, double gy, double gz);

  const Quaternion& quaternion() const { return q_; }
  double roll() const;   // radians, -pi ... pi
  double pitch() const;  // radians, -pi/2 ... pi/2
  double yaw() const;    // radians, -pi ... pi

  // Makes this attitude relative to `reference`: q = q_ref^-1 * q. Changes this one only; at
  // the reference itself the result is the identity.
  void multiplyByInverseOfAttitude(const Attitude& reference);

  // A usable rotation: finite, unit length. Sensors that report anything else are ignored.
  bool isValid() const;

 private:
  Quaternion q_;
};

}  // namespace motion
