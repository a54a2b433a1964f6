#include "actions/swipe/SwipeDotView.h"

#include <cmath>

#include "actions/swipe/SwipeActionViewController.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "shared/Helper.h"

using State = ui::GestureRecognizer::State;

namespace {
// The release speed, in points per second, that makes a push of magnitude 1.
constexpr double kSpeedPerMagnitude = 200;
}  // namespace

void SwipeDotView::didCreate() {
  DotView::didCreate();
  auto self = sharedAs<SwipeDotView>();
  auto pan = foundation::create<ui::PanGestureRecognizer>();
  pan->addTarget(self, &SwipeDotView::handleGesture);
  addGestureRecognizer(pan);
  addTarget(self, &SwipeDotView::highlight, ui::ControlEvent::TouchDown);
  addTarget(self, &SwipeDotView::reset,
            ui::ControlEvent::TouchUpInside | ui::ControlEvent::TouchUpOutside |
                ui::ControlEvent::TouchCancel);
}

void SwipeDotView::highlight(const Sender&) {
  if (auto screen =
          std::dynamic_pointer_cast<SwipeActionViewController>(representedObject.lock())) {
    screen->brakeDot();
  }
  dotColor = App::highlightColor();
  setNeedsDisplay();
}

void SwipeDotView::reset(const Sender&) {
  dotColor = swipeDotColor;
  setNeedsDisplay();
}

void SwipeDotView::handleGesture(const ui::GestureRecognizer::Sender& recognizer) {
  auto screen = std::dynamic_pointer_cast<SwipeActionViewController>(representedObject.lock());
  auto pan = std::dynamic_pointer_cast<ui::PanGestureRecognizer>(recognizer);
  if (!screen || !pan) return;
  auto dot = pan->view();
  if (!dot) return;
  switch (pan->state()) {
    case State::Began:
      if (screen->dynamicAnimator) screen->dynamicAnimator->removeAllBehaviors();
      highlight(recognizer);
      firstX = dot->center().x;
      firstY = dot->center().y;
      break;
    case State::Changed: {
      auto t = pan->translationInView(screen->view().get());
      screen->brakeDot();
      screen->swipeDotView()->setCenter(Helper::dragBounds({firstX + t.x, firstY + t.y}));
      break;
    }
    case State::Ended: {
      screen->addBehaviors();
      auto superview = dot->superview();
      auto v = pan->velocityInView(superview.get());
      screen->configureFlight();
      if (screen->pushBehavior) {
        screen->pushBehavior->setAngle(std::atan2(v.y, v.x),
                                       std::sqrt(v.x * v.x + v.y * v.y) / kSpeedPerMagnitude);
      }
      dotColor = swipeDotColor;
      setNeedsDisplay();
      break;
    }
    default:
      break;
  }
}
