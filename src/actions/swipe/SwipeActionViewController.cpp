#include "actions/swipe/SwipeActionViewController.h"

#include "platform/foundation/Random.h"
#include "settings/Delay.h"
#include "settings/Math.h"
#include "shared/Helper.h"

namespace {
constexpr double kRadius = 32;
constexpr double kLoadPush = 0.36;
constexpr double kBrakeDelay = 0.6;
constexpr double kBrakedResistance = 6.0;
}  // namespace

std::shared_ptr<SwipeDotView> SwipeActionViewController::swipeDotView() {
  if (!swipeDotView_) swipeDotView_ = foundation::create<SwipeDotView>(foundation::Rect{});
  return swipeDotView_;
}

void SwipeActionViewController::viewDidLoad() {
  ActionViewController::viewDidLoad();
  auto c = Helper::randomDotCenter(kRadius);
  swipeDotView_ = foundation::create<SwipeDotView>(
      foundation::Rect{c.x - kRadius, c.y - kRadius, 2 * kRadius, 2 * kRadius});
  swipeDotView_->representedObject = weakAs<SwipeActionViewController>();
  updateColors();
  view()->addSubview(swipeDotView_);

  dynamicAnimator = foundation::create<dynamics::DynamicAnimator>(view());
  dynamics::Behavior::Items items{swipeDotView_};
  pushBehavior = foundation::create<dynamics::PushBehavior>(
      items, dynamics::PushBehavior::Mode::Instantaneous);
  pushBehavior->setAngle(Math::radian(foundation::Random::uniform(0, 360)), kLoadPush);

  std::weak_ptr<SwipeActionViewController> weak = weakAs<SwipeActionViewController>();
  Delay(kBrakeDelay, [weak] {
    if (auto screen = weak.lock()) screen->brakeDot();
  });

  collisionBehavior = foundation::create<dynamics::CollisionBehavior>(items);
  collisionBehavior->setTranslatesReferenceBoundsIntoBoundaryWithInsets(App::safeAreaInsets);
  collisionBehavior->setCollisionMode(dynamics::CollisionBehavior::Boundaries);
  collisionBehavior->setCollisionDelegate(
      std::static_pointer_cast<dynamics::CollisionBehaviorDelegate>(
          sharedAs<SwipeActionViewController>()));

  itemBehavior = foundation::create<dynamics::DynamicItemBehavior>(items);
  itemBehavior->setAllowsRotation(false);
  configureFlight();
  addBehaviors();
}

void SwipeActionViewController::updateColors() {
  auto dot = swipeDotView();
  dot->restingColor = ruleColor();
  dot->dotColor = dot->restingColor;
  dot->setNeedsDisplay();
}

void SwipeActionViewController::addBehaviors() {
  if (!dynamicAnimator || !collisionBehavior || !pushBehavior || !itemBehavior) return;
  dynamicAnimator->addBehavior(collisionBehavior);
  dynamicAnimator->addBehavior(pushBehavior);
  dynamicAnimator->addBehavior(itemBehavior);
}

void SwipeActionViewController::configureFlight() {
  if (pushBehavior) pushBehavior->setActive(true);
  if (!itemBehavior) return;
  bool regular = isHorizontallyRegular();
  itemBehavior->setElasticity(regular ? 0.76 : 0.58);
  itemBehavior->setResistance(regular ? 0.4 : 0.34);
  itemBehavior->setAngularResistance(1.0);
}

void SwipeActionViewController::brakeDot() {
  if (pushBehavior) pushBehavior->setActive(false);
  if (itemBehavior) itemBehavior->setResistance(kBrakedResistance);
}

bool SwipeActionViewController::isHorizontallyRegular() const {
  return App::windowWidth() >= kRegularWidth;
}
