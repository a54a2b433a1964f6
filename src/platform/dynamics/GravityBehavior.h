#pragma once

#include "platform/dynamics/Behavior.h"
#include "platform/foundation/Geometry.h"

namespace dynamics {

// Accelerates its items, whatever their mass, by the direction vector: its
// length is the magnitude, and 1.0 is 1000 pt/s² ((0, 0.8) is 800 pt/s² down).
class GravityBehavior : public Behavior {
 public:
  explicit GravityBehavior(Items items) : Behavior(std::move(items)) {}

  // Wakes the items when it changes (Box2D alone would leave sleepers lying).
  void setGravityDirection(foundation::Point direction);
  foundation::Point gravityDirection() const { return direction_; }

  void willStep(Simulation& simulation, double seconds) override;

 private:
  foundation::Point direction_{0, 1};
};

}  // namespace dynamics
