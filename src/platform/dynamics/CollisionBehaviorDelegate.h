#pragma once

#include <memory>

namespace ui {
class View;
}

namespace dynamics {

class CollisionBehavior;

// Told about contacts after the step in which they began or ended, so it may
// change the animator freely. `other` is nullptr for the boundary.
class CollisionBehaviorDelegate {
 public:
  virtual ~CollisionBehaviorDelegate() = default;
  virtual void collisionBegan(CollisionBehavior& behavior, const std::shared_ptr<ui::View>& item,
                              const std::shared_ptr<ui::View>& other) {
    (void)behavior;
    (void)item;
    (void)other;
  }
  virtual void collisionEnded(CollisionBehavior& behavior, const std::shared_ptr<ui::View>& item,
                              const std::shared_ptr<ui::View>& other) {
    (void)behavior;
    (void)item;
    (void)other;
  }
};

}  // namespace dynamics
