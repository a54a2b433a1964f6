#pragma once

#include "platform/dynamics/Behavior.h"

namespace dynamics {

// Pushes its items along an angle. Magnitude is in the platform's units: an
// instantaneous push is an impulse of `magnitude` N·s (a velocity change of
// 100 × magnitude / mass pt/s), a continuous one a force of `magnitude` N.
// An instantaneous push acts at the animator's next step and then makes itself
// inactive; making it active again pushes again.
class PushBehavior : public Behavior {
 public:
  enum class Mode { Continuous, Instantaneous };

  PushBehavior(Items items, Mode mode) : Behavior(std::move(items)), mode_(mode) {}

  Mode mode() const { return mode_; }
  // Radians, clockwise from the x axis (y grows downwards).
  void setAngle(double radians, double magnitude);
  double angle() const { return angle_; }
  double magnitude() const { return magnitude_; }
  void setActive(bool active);
  bool active() const { return active_; }

  void willStep(Simulation& simulation, double seconds) override;

 private:
  Mode mode_;
  double angle_ = 0;
  double magnitude_ = 0;
  bool active_ = true;
};

}  // namespace dynamics
