#include "platform/ui/Label.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/TextLayout.h"

namespace ui {

Label::Label() : Label(foundation::Rect{}) {}

Label::Label(foundation::Rect frame) : View(frame) {
  setDrawsContent(true);
  // Like the platform's labels: a tap on the text belongs to what is under it.
  setUserInteractionEnabled(false);
}

void Label::setText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  setNeedsDisplay();
}

void Label::setPointSize(double points) {
  pointSize_ = points;
  setNeedsDisplay();
}

void Label::setBold(bool bold) {
  bold_ = bold;
  setNeedsDisplay();
}

void Label::setTextColor(std::optional<graphics::Color> color) {
  textColor_ = color;
  setNeedsDisplay();
}

void Label::setAlignment(Alignment alignment) {
  alignment_ = alignment;
  setNeedsDisplay();
}

Label::Alignment Label::effectiveAlignment() const {
  if (alignment_ != Alignment::Natural) return alignment_;
  return effectiveUserInterfaceLayoutDirection() == UserInterfaceLayoutDirection::RightToLeft
             ? Alignment::Right
             : Alignment::Left;
}

void Label::setNumberOfLines(int lines) {
  numberOfLines_ = std::max(0, lines);
  setNeedsDisplay();
}

foundation::Size Label::intrinsicSize() const {
  if (text_.empty()) return {};
  foundation::Size size = graphics::TextLayout(text_, pointSize_, bold_).size();
  return {std::ceil(size.width), std::ceil(size.height)};
}

namespace {
graphics::TextLayout::Alignment layoutAlignment(Label::Alignment alignment) {
  switch (alignment) {
    case Label::Alignment::Center:
      return graphics::TextLayout::Alignment::Center;
    case Label::Alignment::Right:
      return graphics::TextLayout::Alignment::Right;
    case Label::Alignment::Natural:
    case Label::Alignment::Left:
      break;
  }
  return graphics::TextLayout::Alignment::Left;
}
}  // namespace

foundation::Size Label::sizeThatFits(double width) const {
  if (text_.empty()) return {};
  if (numberOfLines_ == 1) return intrinsicSize();
  graphics::TextLayout layout(text_, pointSize_, bold_);
  layout.setWrapWidth(width, numberOfLines_);
  foundation::Size size = layout.size();
  return {std::ceil(size.width), std::ceil(size.height)};
}

graphics::TextLayout Label::textLayout() const {
  graphics::TextLayout layout(text_, pointSize_, bold_);
  double width = bounds().width();
  if (numberOfLines_ != 1) {
    // Pango places each line within the width.
    layout.setWrapWidth(width, numberOfLines_);
    layout.setAlignment(layoutAlignment(effectiveAlignment()));
  } else if (layout.size().width > width) {
    // Too wide for any alignment to matter: cut it to the bounds.
    layout.setMaxWidth(width);
  }
  return layout;
}

void Label::draw(foundation::Rect rect) {
  (void)rect;
  if (text_.empty()) return;
  graphics::TextLayout layout = textLayout();
  foundation::Size size = layout.size();
  double width = bounds().width();
  double x = 0;
  if (numberOfLines_ == 1 && !layout.isEllipsized()) {
    Alignment alignment = effectiveAlignment();
    if (alignment == Alignment::Center) {
      x = (width - size.width) / 2;
    } else if (alignment == Alignment::Right) {
      x = width - size.width;
    }
  }
  double y = (bounds().height() - size.height) / 2;
  layout.drawAt({x, y}, textColor());
}

}  // namespace ui
