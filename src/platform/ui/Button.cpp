#include "platform/ui/Button.h"

#include <cmath>

#include "platform/graphics/TextLayout.h"

namespace ui {

namespace {
constexpr double kHorizontalMargin = 8;
constexpr double kVerticalMargin = 6;
constexpr double kHighlightedAlpha = 0.4;
constexpr double kDisabledAlpha = 0.35;
}  // namespace

Button::Button() : Button(foundation::Rect{}) {}

Button::Button(foundation::Rect frame) : Control(frame) {
  setDrawsContent(true);
}

void Button::setTitle(std::string title) {
  title_ = std::move(title);
  setNeedsDisplay();
}

void Button::setPointSize(double points) {
  pointSize_ = points;
  setNeedsDisplay();
}

void Button::setBold(bool bold) {
  bold_ = bold;
  setNeedsDisplay();
}

void Button::setTintColor(std::optional<graphics::Color> color) {
  tint_ = color;
  setNeedsDisplay();
}

foundation::Size Button::intrinsicSize() const {
  foundation::Size text = graphics::TextLayout(title_, pointSize_, bold_).size();
  return {std::ceil(text.width) + 2 * kHorizontalMargin,
          std::ceil(text.height) + 2 * kVerticalMargin};
}

void Button::sizeToFit() {
  setFrame({frame().origin, intrinsicSize()});
}

graphics::TextLayout Button::titleLayout() const {
  graphics::TextLayout layout(title_, pointSize_, bold_);
  if (layout.size().width > bounds().width()) layout.setMaxWidth(bounds().width());
  return layout;
}

void Button::draw(foundation::Rect rect) {
  (void)rect;
  if (title_.empty()) return;
  graphics::TextLayout layout = titleLayout();
  foundation::Size size = layout.size();
  graphics::Color tint = tintColor();
  if (!isEnabled()) {
    tint = tint.withAlpha(tint.alpha() * kDisabledAlpha);
  } else if (isHighlighted()) {
    tint = tint.withAlpha(tint.alpha() * kHighlightedAlpha);
  }
  layout.drawAt({(bounds().width() - size.width) / 2, (bounds().height() - size.height) / 2}, tint);
}

void Button::tapCompleted() {
  sendActions(ControlEvent::PrimaryActionTriggered);
}

}  // namespace ui
