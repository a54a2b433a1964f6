#pragma once

#include <memory>

#include "actions/swipe/SwipeDotView.h"
#include "platform/dynamics/CollisionBehavior.h"
#include "platform/dynamics/DynamicAnimator.h"
#include "platform/dynamics/DynamicItemBehavior.h"
#include "platform/dynamics/PushBehavior.h"
#include "stage/ActionViewController.h"

// One dot in the dynamics engine: pushed a little at load and braked soon
// after, dragged by a pan, flung on release, gliding and bouncing off the
// edges of the screen inside the safe area.
class SwipeActionViewController : public ActionViewController,
                                  public dynamics::CollisionBehaviorDelegate {
 public:
  using ActionViewController::ActionViewController;

  // Size classes are an iOS notion; a window at least this wide counts as regular.
  static constexpr double kRegularWidth = 600;

  std::shared_ptr<SwipeDotView> swipeDotView();
  std::shared_ptr<dynamics::DynamicAnimator> dynamicAnimator;
  std::shared_ptr<dynamics::PushBehavior> pushBehavior;
  std::shared_ptr<dynamics::DynamicItemBehavior> itemBehavior;
  std::shared_ptr<dynamics::CollisionBehavior> collisionBehavior;

  void viewDidLoad() override;
  void updateColors() override;
  void addBehaviors();
  // Push active again, with the flight's elasticity and resistance.
  void configureFlight();
  // Push off and a heavy resistance: the dot soon comes to rest.
  void brakeDot();
  bool isHorizontallyRegular() const;

 private:
  std::shared_ptr<SwipeDotView> swipeDotView_;
};
