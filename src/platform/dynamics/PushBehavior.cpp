#include "platform/dynamics/PushBehavior.h"

#include <cmath>

#include "platform/dynamics/Simulation.h"

namespace dynamics {

void PushBehavior::setAngle(double radians, double magnitude) {
  if (radians == angle_ && magnitude == magnitude_) return;
  angle_ = radians;
  magnitude_ = magnitude;
  changed();
}

void PushBehavior::setActive(bool active) {
  if (active == active_) return;
  active_ = active;
  changed();
}

void PushBehavior::willStep(Simulation& simulation, double seconds) {
  (void)seconds;
  if (!active_) return;
  // One newton-second is one kg·m/s, so the magnitude passes through unscaled.
  b2Vec2 vector(static_cast<float>(magnitude_ * std::cos(angle_)),
                static_cast<float>(magnitude_ * std::sin(angle_)));
  for (const auto& item : items()) {
    b2Body* body = simulation.bodyFor(*item);
    if (!body) continue;
    if (mode_ == Mode::Instantaneous) {
      body->ApplyLinearImpulseToCenter(vector, true);
    } else {
      body->ApplyForceToCenter(vector, true);
    }
  }
  // Spent without waking anyone: the push itself already woke its items.
  if (mode_ == Mode::Instantaneous) active_ = false;
}

}  // namespace dynamics
