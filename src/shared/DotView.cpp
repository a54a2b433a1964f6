#include "shared/DotView.h"

#include "platform/ui/PointerInteraction.h"
#include "settings/Defaults.h"
#include "settings/Delay.h"
#include "shared/App.h"

DotView::DotView(foundation::Rect frame) : ui::Control(frame), dotColor(App::baseColor()) {
  setDrawsContent(true);
  setBackgroundColor(graphics::Color::clear());
  dotBezierPath_ = graphics::BezierPath::withOvalInRect({0, 0, frame.width(), frame.height()});
}

void DotView::didCreate() {
  ui::Control::didCreate();
  // Decided on a later turn, when the install has stored the action it belongs to.
  std::weak_ptr<DotView> weak = sharedAs<DotView>();
  Delay(0.0, [weak] {
    auto action = Defaults::currentAction();
    bool hovers = action == 0 || action == 2 || action == 3 || action == 4;
    if (auto dot = weak.lock(); dot && hovers) {
      dot->addInteraction(std::make_shared<ui::PointerInteraction>());
    }
  });
}

void DotView::draw(foundation::Rect rect) {
  ui::Control::draw(rect);
  dotColor.setFill();
  dotBezierPath_.fill();
}

void DotView::hold() {
  held_ = true;
  dotColor = App::highlightColor();
  setNeedsDisplay();
}

void DotView::release(graphics::Color color) {
  held_ = false;
  dotColor = color;
  setNeedsDisplay();
}

void DotView::userInterfaceStyleDidChange() {
  if (held_) dotColor = App::highlightColor();
  ui::Control::userInterfaceStyleDidChange();
}
