#include "shared/DraggableDotView.h"

#include "shared/Helper.h"

using State = ui::GestureRecognizer::State;

void DraggableDotView::didCreate() {
  DotView::didCreate();
  auto self = sharedAs<DraggableDotView>();
  auto pan = foundation::create<ui::PanGestureRecognizer>();
  pan->addTarget(self, &DraggableDotView::handleGesture);
  addGestureRecognizer(pan);
  addTarget(self, &DraggableDotView::highlight, ui::ControlEvent::TouchDown);
  addTarget(self, &DraggableDotView::reset,
            ui::ControlEvent::TouchUpInside | ui::ControlEvent::TouchUpOutside |
                ui::ControlEvent::TouchCancel);
}

void DraggableDotView::highlight(const Sender&) {
  touched();
  hold();
}

void DraggableDotView::reset(const Sender&) {
  release(restingColor);
}

void DraggableDotView::followDrag(ui::PanGestureRecognizer& pan) {
  auto t = pan.translationInView(superview().get());
  setCenter(Helper::dragBounds({dragStart.x + t.x, dragStart.y + t.y}));
}

void DraggableDotView::handleGesture(const ui::GestureRecognizer::Sender& recognizer) {
  auto pan = std::dynamic_pointer_cast<ui::PanGestureRecognizer>(recognizer);
  if (!pan || !representedObject.lock()) return;
  switch (pan->state()) {
    case State::Began:
      dragWillBegin();
      highlight(recognizer);
      dragStart = center();
      break;
    case State::Changed:
      dragWillMove();
      followDrag(*pan);
      break;
    case State::Ended:
      dragEnded(*pan);
      reset(recognizer);
      break;
    default:
      break;
  }
}
