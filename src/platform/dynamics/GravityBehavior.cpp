#include "platform/dynamics/GravityBehavior.h"

#include "platform/dynamics/Simulation.h"
#include "platform/dynamics/Units.h"

namespace dynamics {

void GravityBehavior::setGravityDirection(foundation::Point direction) {
  if (direction == direction_) return;
  direction_ = direction;
  changed();
}

void GravityBehavior::willStep(Simulation& simulation, double seconds) {
  (void)seconds;
  for (const auto& item : items()) {
    b2Body* body = simulation.bodyFor(*item);
    if (!body) continue;
    double mass = body->GetMass();
    // Not waking: a body resting on the floor stays asleep under its weight.
    body->ApplyForceToCenter(
        b2Vec2(static_cast<float>(mass * direction_.x * units::kGravityPerUnit),
               static_cast<float>(mass * direction_.y * units::kGravityPerUnit)),
        false);
  }
}

}  // namespace dynamics
