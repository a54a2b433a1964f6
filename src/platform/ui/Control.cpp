#include "platform/ui/Control.h"

namespace ui {

void Control::addAction(std::function<void(const Sender&)> action, unsigned events) {
  actions_.push_back({std::move(action), events});
}

std::size_t Control::actionCount(unsigned event) const {
  std::size_t n = 0;
  for (const auto& e : actions_) n += (e.events & event) ? 1 : 0;
  return n;
}

void Control::setEnabled(bool enabled) {
  enabled_ = enabled;
  setUserInteractionEnabled(enabled);
  setNeedsDisplay();
}

void Control::setHighlighted(bool highlighted) {
  if (highlighted_ == highlighted) return;
  highlighted_ = highlighted;
  setNeedsDisplay();
}

void Control::sendActions(unsigned event) {
  auto protector = sharedAs<Control>();
  // A copy: an action may register or remove actions.
  auto actions = actions_;
  for (const auto& e : actions) {
    if (e.events & event) e.action(protector);
  }
}

bool Control::isTouchInside(const Touch& touch) const {
  foundation::Point p = touch.locationIn(this);
  return bounds().insetBy(-kTrackingMargin, -kTrackingMargin).contains(p);
}

void Control::touchesBegan(const TouchSet& touches) {
  if (tracking_ || touches.empty() || !enabled_) return;
  tracking_ = touches.front();
  setHighlighted(true);
  sendActions(ControlEvent::TouchDown);
}

void Control::touchesMoved(const TouchSet& touches) {
  for (const auto& touch : touches) {
    if (touch != tracking_) continue;
    bool inside = isTouchInside(*touch);
    setHighlighted(inside);
    sendActions(inside ? ControlEvent::TouchDragInside : ControlEvent::TouchDragOutside);
  }
}

void Control::touchesEnded(const TouchSet& touches) {
  auto protector = sharedAs<Control>();  // the touch-up actions may drop the last owner
  for (const auto& touch : touches) {
    if (touch != tracking_) continue;
    tracking_.reset();
    bool inside = isTouchInside(*touch);
    setHighlighted(false);
    sendActions(inside ? ControlEvent::TouchUpInside : ControlEvent::TouchUpOutside);
    if (inside) tapCompleted();
  }
}

void Control::touchesCancelled(const TouchSet& touches) {
  for (const auto& touch : touches) {
    if (touch != tracking_) continue;
    tracking_.reset();
    setHighlighted(false);
    sendActions(ControlEvent::TouchCancel);
  }
}

}  // namespace ui
