#include "actions/gravity/GravityActionViewController.h"

#include <cstdio>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/RunLoop.h"
#include "shared/App.h"
#include "shared/Helper.h"

namespace {
constexpr double kRadius = 32;
constexpr double kElasticity = 0.76;
constexpr double kFriction = 0.06;
constexpr foundation::Point kLoadGravity{0, 0.8};
constexpr double kUpdateInterval = 0.12;  // seconds
constexpr double kTiltGain = 1.5;         // gravity direction per radian of tilt
}  // namespace

std::shared_ptr<DotView> GravityActionViewController::lazyDot(std::shared_ptr<DotView>& slot) {
  if (!slot) slot = foundation::create<DotView>(foundation::Rect{});
  return slot;
}

std::shared_ptr<DotView> GravityActionViewController::firstDotView() {
  return lazyDot(firstDotView_);
}

std::shared_ptr<DotView> GravityActionViewController::secondDotView() {
  return lazyDot(secondDotView_);
}

std::shared_ptr<DotView> GravityActionViewController::thirdDotView() {
  return lazyDot(thirdDotView_);
}

motion::MotionManager& GravityActionViewController::motionManager() {
  if (!motionManager_) motionManager_ = std::make_unique<motion::MotionManager>();
  return *motionManager_;
}

void GravityActionViewController::viewDidLoad() {
  ActionViewController::viewDidLoad();
  foundation::Point centers[3];
  for (auto& c : centers) c = Helper::randomDotCenter(kRadius);
  std::shared_ptr<DotView>* slots[] = {&firstDotView_, &secondDotView_, &thirdDotView_};
  for (int i = 0; i < 3; ++i) {
    auto c = centers[i];
    auto dot = foundation::create<DotView>(
        foundation::Rect{c.x - kRadius, c.y - kRadius, 2 * kRadius, 2 * kRadius});
    *slots[i] = dot;
    dot->representedObject = weakAs<GravityActionViewController>();
    view()->addSubview(dot);
  }
  updateColors();

  dynamicAnimator = foundation::create<dynamics::DynamicAnimator>(view());
  dynamics::Behavior::Items dots{firstDotView_, secondDotView_, thirdDotView_};
  collisionBehavior = foundation::create<dynamics::CollisionBehavior>(dots);
  collisionBehavior->setTranslatesReferenceBoundsIntoBoundaryWithInsets(App::safeAreaInsets);
  collisionBehavior->setCollisionMode(dynamics::CollisionBehavior::Everything);
  itemBehavior = foundation::create<dynamics::DynamicItemBehavior>(dots);
  itemBehavior->setAllowsRotation(false);
  itemBehavior->setElasticity(kElasticity);
  itemBehavior->setFriction(kFriction);
  gravityBehavior = foundation::create<dynamics::GravityBehavior>(dots);
  gravityBehavior->setGravityDirection(kLoadGravity);
  addBehaviors();
  startMotionUpdates();
}

void GravityActionViewController::updateColors() {
  for (const auto& dot : {firstDotView(), secondDotView(), thirdDotView()}) {
    dot->dotColor = ruleColor();
  }
  firstDotView()->setNeedsDisplay();
  secondDotView()->setNeedsDisplay();
  thirdDotView()->setNeedsDisplay();
}

void GravityActionViewController::addBehaviors() {
  if (!collisionBehavior || !gravityBehavior || !itemBehavior || !dynamicAnimator) return;
  dynamicAnimator->addBehavior(collisionBehavior);
  dynamicAnimator->addBehavior(gravityBehavior);
  dynamicAnimator->addBehavior(itemBehavior);
}

void GravityActionViewController::startMotionUpdates() {
  auto& manager = motionManager();
  if (!manager.isDeviceMotionAvailable()) {
    std::puts("No motion detector");
    std::fflush(stdout);
    return;
  }
  manager.setDeviceMotionUpdateInterval(kUpdateInterval);
  std::weak_ptr<GravityActionViewController> weak = weakAs<GravityActionViewController>();
  manager.startDeviceMotionUpdates(
      std::make_shared<foundation::DispatchQueue>("Gravity motion"),
      [weak](std::optional<motion::DeviceMotion> motion) {
        auto screen = weak.lock();
        if (!screen) return;
        screen->handleDeviceMotion(std::move(motion));
        // Should the main thread let the screen go meanwhile, this must not be
        // its last reference: views are released on the main thread only.
        foundation::RunLoop::main().post([screen = std::move(screen)] {});
      });
}

void GravityActionViewController::handleDeviceMotion(std::optional<motion::DeviceMotion> motion) {
  if (!motion) return;
  if (!referenceAttitude_) referenceAttitude_ = motion->attitude;
  applyAttitude(motion->attitude);
}

void GravityActionViewController::applyAttitude(motion::Attitude attitude) {
  if (referenceAttitude_) attitude.multiplyByInverseOfAttitude(*referenceAttitude_);
  foundation::Point direction{attitude.roll() * kTiltGain, attitude.pitch() * kTiltGain};
  std::weak_ptr<GravityActionViewController> weak = weakAs<GravityActionViewController>();
  foundation::RunLoop::main().post([weak, direction] {
    auto screen = weak.lock();
    if (screen && screen->gravityBehavior) screen->gravityBehavior->setGravityDirection(direction);
  });
}

void GravityActionViewController::prepareForRemoval() {
  motionManager().stopDeviceMotionUpdates();
}

void GravityActionViewController::didEnterBackground() {
  motionManager().stopDeviceMotionUpdates();
}

void GravityActionViewController::didBecomeActive() {
  startMotionUpdates();
}
