#pragma once

#include <memory>
#include <vector>

#include "platform/foundation/Object.h"

namespace ui {
class View;
}

namespace dynamics {

class DynamicAnimator;
class Simulation;
struct ItemProperties;

// A rule the animator applies to its items. Behaviours own their items; the
// animator they are added to is a weak back-reference. Changing a property of a
// behaviour that is in an animator wakes the animator.
class Behavior : public foundation::Object {
 public:
  using Items = std::vector<std::shared_ptr<ui::View>>;

  explicit Behavior(Items items) : items_(std::move(items)) {}

  const Items& items() const { return items_; }
  bool containsItem(const ui::View& item) const;
  std::shared_ptr<DynamicAnimator> dynamicAnimator() const { return animator_.lock(); }

  // Hooks the animator calls on the main thread, never from inside a Box2D
  // callback, so they may change the world freely.
  virtual void applyItemProperties(const ui::View& item, ItemProperties& properties) const {
    (void)item;
    (void)properties;
  }
  virtual void willStep(Simulation& simulation, double seconds) {
    (void)simulation;
    (void)seconds;
  }
  virtual void didStep(Simulation& simulation) { (void)simulation; }
  // Leaving the animator (or the animator going away): drop anything held in its world.
  virtual void willDetach(Simulation& simulation) { (void)simulation; }

 protected:
  // Tells the animator that something the simulation depends on changed.
  void changed();

 private:
  friend class DynamicAnimator;
  Items items_;
  std::weak_ptr<DynamicAnimator> animator_;
};

}  // namespace dynamics
