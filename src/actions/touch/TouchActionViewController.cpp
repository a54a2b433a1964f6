#include "actions/touch/TouchActionViewController.h"

#include "platform/ui/ViewAnimation.h"
#include "shared/Helper.h"

namespace {
constexpr double kRadius = 32;
constexpr double kFadeDuration = 0.06;
}  // namespace

std::shared_ptr<TouchDotView> TouchActionViewController::touchDotView() {
  if (!touchDotView_) touchDotView_ = foundation::create<TouchDotView>(foundation::Rect{});
  return touchDotView_;
}

void TouchActionViewController::viewDidLoad() {
  ActionViewController::viewDidLoad();
  auto c = Helper::randomDotCenter(kRadius);
  touchDotView_ = foundation::create<TouchDotView>(
      foundation::Rect{c.x - kRadius, c.y - kRadius, 2 * kRadius, 2 * kRadius});
  touchDotView_->representedObject = weakAs<TouchActionViewController>();
  updateColors();
  view()->addSubview(touchDotView_);
}

void TouchActionViewController::updateColors() {
  auto dot = touchDotView();
  dot->dotColor = ruleColor();
  dot->setNeedsDisplay();
}

void TouchActionViewController::relocateDot() {
  std::weak_ptr<TouchActionViewController> weak = weakAs<TouchActionViewController>();
  ui::ViewAnimation::animate(
      kFadeDuration,
      [weak] {
        if (auto screen = weak.lock()) screen->touchDotView()->setAlpha(0);
      },
      [weak](bool) {
        auto screen = weak.lock();
        if (!screen) return;
        auto dot = screen->touchDotView();
        dot->setCenter(Helper::randomDotCenter(kRadius));
        dot->setAlpha(1.0);
      });
}
