#pragma once

#include <optional>

#include "platform/dynamics/Behavior.h"
#include "platform/dynamics/CollisionBehaviorDelegate.h"
#include "platform/foundation/Geometry.h"

struct b2Body;

namespace dynamics {

// Makes its items collide with each other and/or with a boundary: the
// reference view's bounds inset by the insets (positive insets move it inward),
// followed as those bounds change. An item found outside the boundary (the
// window shrank under it) is put back inside rather than lost. Along an axis
// where the boundary is too small for its largest item, the items keep to the
// boundary's middle line.
class CollisionBehavior : public Behavior {
 public:
  enum Mode : unsigned { Items = 1, Boundaries = 2, Everything = ~0u };

  explicit CollisionBehavior(Behavior::Items items) : Behavior(std::move(items)) {}

  void setTranslatesReferenceBoundsIntoBoundaryWithInsets(foundation::EdgeInsets insets);
  bool translatesReferenceBoundsIntoBoundary() const { return translates_; }
  void setCollisionMode(unsigned mode);
  unsigned collisionMode() const { return mode_; }
  void setCollisionDelegate(std::weak_ptr<CollisionBehaviorDelegate> delegate) {
    delegate_ = std::move(delegate);
  }

  void applyItemProperties(const ui::View& item, ItemProperties& properties) const override;
  void willStep(Simulation& simulation, double seconds) override;
  void didStep(Simulation& simulation) override;
  void willDetach(Simulation& simulation) override;

 private:
  void buildBoundary(Simulation& simulation, foundation::Rect rect);
  void destroyBoundary(Simulation& simulation);
  // With `onlyEscaped`, leaves alone every item the walls still hold.
  void keepItemsInside(Simulation& simulation, bool onlyEscaped);
  void reportContacts(Simulation& simulation);

  unsigned mode_ = Everything;
  bool translates_ = false;
  foundation::EdgeInsets insets_;
  std::weak_ptr<CollisionBehaviorDelegate> delegate_;
  b2Body* boundaryBody_ = nullptr;  // owned by the simulation's world
  std::optional<foundation::Rect> boundary_;
  // The boundary is too narrow (low) for the largest item: items keep to its middle line.
  bool pinnedAcross_ = false;
  bool pinnedDown_ = false;
};

}  // namespace dynamics
