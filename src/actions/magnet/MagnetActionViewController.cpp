#include "actions/magnet/MagnetActionViewController.h"

#include "platform/foundation/Random.h"
#include "platform/ui/ViewAnimation.h"
#include "settings/Delay.h"
#include "shared/Helper.h"

namespace {
constexpr double kRadius = 32;
constexpr double kMarkerSide = 16;
constexpr double kLargestOffset = 100;
constexpr double kSpringDamping = 0.06;
constexpr double kSpringFrequency = 2.4;
constexpr double kReturnDelay = 1.0;
constexpr double kReturnDuration = 0.3;
}  // namespace

MagnetActionViewController::MagnetActionViewController(std::string nibName)
    : ActionViewController(std::move(nibName)),
      centerPoint{App::windowWidth() * 0.5, App::windowHeight() * 0.5} {}

std::shared_ptr<MagnetDotView> MagnetActionViewController::magnetDotView() {
  if (!magnetDotView_) magnetDotView_ = foundation::create<MagnetDotView>(foundation::Rect{});
  return magnetDotView_;
}

void MagnetActionViewController::viewDidLoad() {
  ActionViewController::viewDidLoad();
  auto marker = foundation::create<ui::View>(foundation::Rect{
      centerPoint.x - kMarkerSide / 2, centerPoint.y - kMarkerSide / 2, kMarkerSide, kMarkerSide});
  marker->setBackgroundColor(App::baseColor());
  view()->addSubview(marker);

  double r = foundation::Random::uniform(-kLargestOffset, kLargestOffset);
  magnetDotView_ = foundation::create<MagnetDotView>(foundation::Rect{
      centerPoint.x - kRadius - r, centerPoint.y - kRadius - r, 2 * kRadius, 2 * kRadius});
  magnetDotView_->representedObject = weakAs<MagnetActionViewController>();
  updateColors();
  view()->addSubview(magnetDotView_);

  dynamicAnimator = foundation::create<dynamics::DynamicAnimator>(view());
  attachmentBehavior =
      foundation::create<dynamics::AttachmentBehavior>(magnetDotView_, centerPoint);
  attachmentBehavior->setDamping(kSpringDamping);
  attachmentBehavior->setFrequency(kSpringFrequency);
  attachmentBehavior->setLength(0);

  std::weak_ptr<MagnetActionViewController> weak = weakAs<MagnetActionViewController>();
  Delay(kReturnDelay, [weak] {
    if (auto screen = weak.lock()) screen->returnToCenter();
  });

  collisionBehavior =
      foundation::create<dynamics::CollisionBehavior>(dynamics::Behavior::Items{magnetDotView_});
  collisionBehavior->setTranslatesReferenceBoundsIntoBoundaryWithInsets(App::safeAreaInsets);
  collisionBehavior->setCollisionMode(dynamics::CollisionBehavior::Boundaries);
  addBehaviors();
}

void MagnetActionViewController::updateColors() {
  auto dot = magnetDotView();
  dot->restingColor = ruleColor();
  dot->dotColor = dot->restingColor;
  dot->setNeedsDisplay();
}

void MagnetActionViewController::addBehaviors() {
  if (!collisionBehavior || !attachmentBehavior || !dynamicAnimator) return;
  dynamicAnimator->addBehavior(collisionBehavior);
  dynamicAnimator->addBehavior(attachmentBehavior);
}

void MagnetActionViewController::removeBehaviors() {
  if (!collisionBehavior || !attachmentBehavior || !dynamicAnimator) return;
  dynamicAnimator->removeBehavior(collisionBehavior);
  dynamicAnimator->removeBehavior(attachmentBehavior);
}

void MagnetActionViewController::returnToCenter() {
  removeBehaviors();
  auto target = Helper::dragBounds(centerPoint);
  std::weak_ptr<MagnetActionViewController> weak = weakAs<MagnetActionViewController>();
  ui::ViewAnimation::animate(kReturnDuration, [weak, target] {
    if (auto screen = weak.lock()) screen->magnetDotView()->setCenter(target);
  });
}
