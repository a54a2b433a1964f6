#include "actions/magnet/MagnetDotView.h"

#include "actions/magnet/MagnetActionViewController.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "shared/Helper.h"

using State = ui::GestureRecognizer::State;

void MagnetDotView::didCreate() {
  DotView::didCreate();
  auto self = sharedAs<MagnetDotView>();
  auto pan = foundation::create<ui::PanGestureRecognizer>();
  pan->addTarget(self, &MagnetDotView::handleGesture);
  addGestureRecognizer(pan);
  addTarget(self, &MagnetDotView::highlight, ui::ControlEvent::TouchDown);
  addTarget(self, &MagnetDotView::reset,
            ui::ControlEvent::TouchUpInside | ui::ControlEvent::TouchUpOutside |
                ui::ControlEvent::TouchCancel);
}

void MagnetDotView::highlight(const Sender&) {
  if (auto screen =
          std::dynamic_pointer_cast<MagnetActionViewController>(representedObject.lock())) {
    screen->removeBehaviors();
  }
  dotColor = App::highlightColor();
  setNeedsDisplay();
}

void MagnetDotView::reset(const Sender&) {
  dotColor = magnetDotColor;
  setNeedsDisplay();
}

void MagnetDotView::handleGesture(const ui::GestureRecognizer::Sender& recognizer) {
  auto screen = std::dynamic_pointer_cast<MagnetActionViewController>(representedObject.lock());
  auto pan = std::dynamic_pointer_cast<ui::PanGestureRecognizer>(recognizer);
  if (!screen || !pan) return;
  auto dot = pan->view();
  if (!dot) return;
  auto follow = [&] {
    auto t = pan->translationInView(screen->view().get());
    screen->magnetDotView()->setCenter(Helper::dragBounds({firstX + t.x, firstY + t.y}));
  };
  switch (pan->state()) {
    case State::Began:
      highlight(recognizer);
      firstX = dot->center().x;
      firstY = dot->center().y;
      break;
    case State::Changed:
      follow();
      break;
    case State::Ended:
      follow();
      screen->addBehaviors();
      dotColor = magnetDotColor;
      setNeedsDisplay();
      break;
    default:
      break;
  }
}
