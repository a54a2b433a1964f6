#include "actions/swipe/SwipeDotView.h"

#include <cmath>

#include "actions/swipe/SwipeActionViewController.h"

namespace {

// The release speed, in points per second, that makes a push of magnitude 1.
constexpr double kSpeedPerMagnitude = 200;

std::shared_ptr<SwipeActionViewController> screenOf(const DotView& dot) {
  return std::dynamic_pointer_cast<SwipeActionViewController>(dot.representedObject.lock());
}

}  // namespace

void SwipeDotView::touched() {
  if (auto screen = screenOf(*this)) screen->brakeDot();
}

void SwipeDotView::dragWillBegin() {
  if (auto screen = screenOf(*this); screen && screen->dynamicAnimator) {
    screen->dynamicAnimator->removeAllBehaviors();
  }
}

void SwipeDotView::dragWillMove() {
  if (auto screen = screenOf(*this)) screen->brakeDot();
}

void SwipeDotView::dragEnded(ui::PanGestureRecognizer& pan) {
  auto screen = screenOf(*this);
  if (!screen) return;
  screen->addBehaviors();
  auto v = pan.velocityInView(superview().get());
  screen->configureFlight();
  if (screen->pushBehavior) {
    screen->pushBehavior->setAngle(std::atan2(v.y, v.x),
                                   std::sqrt(v.x * v.x + v.y * v.y) / kSpeedPerMagnitude);
  }
}
