#include "platform/dynamics/DynamicItemBehavior.h"

#include "platform/dynamics/DynamicAnimator.h"
#include "platform/dynamics/Simulation.h"

namespace dynamics {

void DynamicItemBehavior::set(double& field, double value) {
  if (field == value) return;
  field = value;
  changed();
}

void DynamicItemBehavior::setAllowsRotation(bool value) {
  if (allowsRotation_ == value) return;
  allowsRotation_ = value;
  changed();
}

foundation::Point DynamicItemBehavior::linearVelocityForItem(const ui::View& item) const {
  auto animator = dynamicAnimator();
  if (!animator) return {};
  b2Body* body = animator->simulation().bodyFor(item);
  return body ? Simulation::velocityOf(*body) : foundation::Point{};
}

void DynamicItemBehavior::applyItemProperties(const ui::View& item,
                                              ItemProperties& properties) const {
  if (!containsItem(item)) return;
  properties.elasticity = elasticity_;
  properties.friction = friction_;
  properties.resistance = resistance_;
  properties.angularResistance = angularResistance_;
  properties.density = density_;
  properties.allowsRotation = allowsRotation_;
}

}  // namespace dynamics
