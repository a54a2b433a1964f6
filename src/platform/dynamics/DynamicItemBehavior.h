#pragma once

#include "platform/dynamics/Behavior.h"
#include "platform/foundation/Geometry.h"

namespace dynamics {

// The material of its items. Values not set keep the platform's defaults
// (elasticity 0.2, friction 0.2, resistance 0.1, angular resistance 0.1,
// density 1, rotation allowed); where several item behaviours hold an item,
// the one added last wins.
class DynamicItemBehavior : public Behavior {
 public:
  explicit DynamicItemBehavior(Items items) : Behavior(std::move(items)) {}

  double elasticity() const { return elasticity_; }
  void setElasticity(double value) { set(elasticity_, value); }
  double friction() const { return friction_; }
  void setFriction(double value) { set(friction_, value); }
  double resistance() const { return resistance_; }
  void setResistance(double value) { set(resistance_, value); }
  double angularResistance() const { return angularResistance_; }
  void setAngularResistance(double value) { set(angularResistance_, value); }
  double density() const { return density_; }
  void setDensity(double value) { set(density_, value); }
  bool allowsRotation() const { return allowsRotation_; }
  void setAllowsRotation(bool value);

  // In points per second; zero for an item the animator is not moving.
  foundation::Point linearVelocityForItem(const ui::View& item) const;

  void applyItemProperties(const ui::View& item, ItemProperties& properties) const override;

 private:
  void set(double& field, double value);

  double elasticity_ = 0.2;
  double friction_ = 0.2;
  double resistance_ = 0.1;
  double angularResistance_ = 0.1;
  double density_ = 1;
  bool allowsRotation_ = true;
};

}  // namespace dynamics
