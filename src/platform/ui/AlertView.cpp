#include "platform/ui/AlertView.h"

#include <algorithm>

#include "platform/graphics/BezierPath.h"
#include "platform/graphics/GraphicsContext.h"

namespace ui {

using foundation::Point;
using foundation::Rect;
using foundation::Size;

namespace {
constexpr double kPadding = 20;
constexpr double kTitleGap = 6;
constexpr double kTitleSize = 17;
constexpr double kMessageSize = 15;
constexpr double kCornerRadius = 14;
constexpr double kFocusInset = 4;
constexpr double kFocusLineWidth = 3;
// The fraction of a quarter circle's radius at which a cubic's controls sit.
constexpr double kArcControl = 0.5523;
// Room between the titles of neighbouring buttons beyond their own margins.
constexpr double kButtonSpacing = 16;

graphics::BezierPath roundedRect(Rect r, double radius) {
  radius = std::min({radius, r.width() / 2, r.height() / 2});
  double k = radius * kArcControl;
  double left = r.minX(), right = r.maxX(), top = r.minY(), bottom = r.maxY();
  graphics::BezierPath path;
  path.moveTo({left + radius, top});
  path.lineTo({right - radius, top});
  path.curveTo({right, top + radius}, {right - radius + k, top}, {right, top + radius - k});
  path.lineTo({right, bottom - radius});
  path.curveTo({right - radius, bottom}, {right, bottom - radius + k},
               {right - radius + k, bottom});
  path.lineTo({left + radius, bottom});
  path.curveTo({left, bottom - radius}, {left + radius - k, bottom}, {left, bottom - radius + k});
  path.lineTo({left, top + radius});
  path.curveTo({left + radius, top}, {left, top + radius - k}, {left + radius - k, top});
  path.close();
  return path;
}
}  // namespace

AlertView::AlertView(const std::string& title, const std::string& message,
                     const std::vector<ButtonSpec>& buttons) {
  setDrawsContent(true);
  title_ = foundation::create<Label>();
  title_->setText(title);
  title_->setBold(true);
  title_->setPointSize(kTitleSize);
  title_->setAlignment(Label::Alignment::Center);
  title_->setNumberOfLines(0);
  message_ = foundation::create<Label>();
  message_->setText(message);
  message_->setPointSize(kMessageSize);
  message_->setAlignment(Label::Alignment::Center);
  message_->setNumberOfLines(0);
  for (const auto& item : buttons) {
    auto button = foundation::create<Button>();
    button->setTitle(item.title);
    button->setBold(item.bold);
    buttons_.push_back(button);
  }
}

void AlertView::didCreate() {
  // A view can only become a superview once it lives in its shared_ptr.
  addSubview(title_);
  addSubview(message_);
  for (const auto& button : buttons_) addSubview(button);
}

double AlertView::cardWidth() const {
  double widest = 0;
  for (const auto& b : buttons_) widest = std::max(widest, b->intrinsicSize().width);
  double width = std::max({kMinimumCardWidth, title_->intrinsicSize().width + 2 * kPadding,
                           message_->intrinsicSize().width + 2 * kPadding,
                           widest * static_cast<double>(buttons_.size())});
  return std::min(width, std::max(0.0, bounds().width() - 2 * kWindowMargin));
}

bool AlertView::stacks(double cardWidth) const {
  if (buttons_.size() < 2) return false;
  double share = cardWidth / static_cast<double>(buttons_.size());
  return std::any_of(buttons_.begin(), buttons_.end(),
                     [share](const auto& b) { return b->intrinsicSize().width > share; });
}

Size AlertView::cardSize() const {
  double width = cardWidth();
  double inner = std::max(0.0, width - 2 * kPadding);
  double rows = stacks(width) ? static_cast<double>(buttons_.size()) : (buttons_.empty() ? 0 : 1);
  double height = kPadding + title_->sizeThatFits(inner).height + kTitleGap +
                  message_->sizeThatFits(inner).height + kPadding + rows * kButtonHeight;
  return {width, height};
}

Rect AlertView::cardFrame() const {
  Size size = cardSize();
  return {(bounds().width() - size.width) / 2, (bounds().height() - size.height) / 2, size.width,
          size.height};
}

void AlertView::setFocusedIndex(std::optional<std::size_t> index) {
  if (index && *index >= buttons_.size()) return;
  if (index == focused_) return;
  focused_ = index;
  setNeedsDisplay();
}

void AlertView::layoutSubviews() {
  Rect card = cardFrame();
  double inner = std::max(0.0, card.width() - 2 * kPadding);
  double y = card.minY() + kPadding;
  double titleHeight = title_->sizeThatFits(inner).height;
  title_->setFrame({card.minX() + kPadding, y, inner, titleHeight});
  y += titleHeight + kTitleGap;
  double messageHeight = message_->sizeThatFits(inner).height;
  message_->setFrame({card.minX() + kPadding, y, inner, messageHeight});
  if (!buttons_.empty()) {
    auto count = static_cast<double>(buttons_.size());
    bool stacked = stacks(card.width());
    double width = stacked ? card.width() : card.width() / count;
    double top = card.maxY() - (stacked ? count : 1) * kButtonHeight;
    // A row reads from the leading side; a stack reads from the top either way.
    bool rightToLeft =
        effectiveUserInterfaceLayoutDirection() == UserInterfaceLayoutDirection::RightToLeft;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
      auto step = static_cast<double>(i);
      double x = rightToLeft ? card.maxX() - width * (step + 1) : card.minX() + width * step;
      buttons_[i]->setFrame(
          stacked ? Rect{card.minX(), top + step * kButtonHeight, width, kButtonHeight}
                  : Rect{x, top, width, kButtonHeight});
    }
  }
  setNeedsDisplay();
  View::layoutSubviews();
}

void AlertView::draw(Rect rect) {
  (void)rect;
  auto* context = graphics::GraphicsContext::current();
  if (!context) return;
  Rect card = cardFrame();
  context->setFillColor(graphics::Color::systemBackground());
  roundedRect(card, kCornerRadius).fill();
  if (buttons_.empty()) return;
  // Hairlines above the buttons and between them, as on the platform.
  graphics::BezierPath lines;
  bool stacked = stacks(card.width());
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    Rect b = buttons_[i]->frame();
    if (i == 0 || stacked) {
      lines.moveTo({card.minX(), b.minY()});
      lines.lineTo({card.maxX(), b.minY()});
    }
    // Between neighbours in a row, whichever way the row runs.
    if (!stacked && b.minX() > card.minX() + 0.5) {
      lines.moveTo({b.minX(), b.minY()});
      lines.lineTo({b.minX(), b.maxY()});
    }
  }
  lines.setLineWidth(1);
  context->setStrokeColor(graphics::Color::separator());
  lines.stroke();
  if (focused_) {
    Rect b = buttons_[*focused_]->frame();
    Rect ring{b.minX() + kFocusInset, b.minY() + kFocusInset, b.width() - 2 * kFocusInset,
              b.height() - 2 * kFocusInset};
    auto path = roundedRect(ring, kCornerRadius / 2);
    path.setLineWidth(kFocusLineWidth);
    context->setStrokeColor(graphics::Color::systemBlue());
    path.stroke();
  }
}

}  // namespace ui
