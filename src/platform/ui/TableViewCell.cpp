#include "platform/ui/TableViewCell.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Appearance.h"
#include "platform/graphics/BezierPath.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/Label.h"
#include "platform/ui/Switch.h"

namespace ui {

using foundation::Point;
using foundation::Rect;
using graphics::BezierPath;
using graphics::Color;

namespace {

constexpr double kCornerRadius = 10;
constexpr double kFocusInset = 2;
constexpr double kFocusWidth = 2;
constexpr double kFocusRadius = 8;
constexpr double kLabelToAccessory = 8;
// How far a cubic control point sits along the tangent to draw a quarter circle.
constexpr double kKappa = 0.5522847498;

// Top corners rounded by `top`, bottom corners by `bottom`; clockwise from the top left.
BezierPath roundedRect(Rect r, double top, double bottom) {
  double k = 1 - kKappa;
  BezierPath path;
  path.moveTo({r.minX() + top, r.minY()});
  path.lineTo({r.maxX() - top, r.minY()});
  path.curveTo({r.maxX(), r.minY() + top}, {r.maxX() - top * k, r.minY()},
               {r.maxX(), r.minY() + top * k});
  path.lineTo({r.maxX(), r.maxY() - bottom});
  path.curveTo({r.maxX() - bottom, r.maxY()}, {r.maxX(), r.maxY() - bottom * k},
               {r.maxX() - bottom * k, r.maxY()});
  path.lineTo({r.minX() + bottom, r.maxY()});
  path.curveTo({r.minX(), r.maxY() - bottom}, {r.minX() + bottom * k, r.maxY()},
               {r.minX(), r.maxY() - bottom * k});
  path.lineTo({r.minX(), r.minY() + top});
  path.curveTo({r.minX() + top, r.minY()}, {r.minX(), r.minY() + top * k},
               {r.minX() + top * k, r.minY()});
  path.close();
  return path;
}

Color highlightColor() {
  bool dark = graphics::Appearance::current() == graphics::Appearance::Style::Dark;
  return dark ? Color::fromRGB255(58, 58, 60) : Color::fromRGB255(209, 209, 214);
}

}  // namespace

// Passes touches up to the cell, as the platform's plain views pass them up
// the responder chain, so that a touch anywhere on the row reaches the table.
class TableViewCell::ContentView : public View {
 public:
  void touchesBegan(const TouchSet& touches) override {
    if (auto parent = superview()) parent->touchesBegan(touches);
  }
  void touchesMoved(const TouchSet& touches) override {
    if (auto parent = superview()) parent->touchesMoved(touches);
  }
  void touchesEnded(const TouchSet& touches) override {
    if (auto parent = superview()) parent->touchesEnded(touches);
  }
  void touchesCancelled(const TouchSet& touches) override {
    if (auto parent = superview()) parent->touchesCancelled(touches);
  }
};

TableViewCell::TableViewCell()
    : View(Rect{0, 0, 320, kDefaultRowHeight}), contentView_(foundation::create<ContentView>()) {
  setDrawsContent(true);
}

void TableViewCell::didCreate() {
  View::didCreate();
  addSubview(contentView_);
}

std::shared_ptr<Label> TableViewCell::textLabel() {
  if (!textLabel_) setTextLabel(foundation::create<Label>());
  return textLabel_;
}

void TableViewCell::setTextLabel(const std::shared_ptr<Label>& label) {
  if (textLabel_) textLabel_->removeFromSuperview();
  textLabel_ = label;
  if (textLabel_) contentView_->addSubview(textLabel_);
  setNeedsLayout();
}

void TableViewCell::setAccessoryView(const std::shared_ptr<View>& view) {
  if (accessory_) accessory_->removeFromSuperview();
  accessory_ = view;
  if (accessory_) addSubview(accessory_);
  setNeedsLayout();
}

bool TableViewCell::isFocusable() const {
  if (focusable_) return *focusable_;
  // A switch row is not picked, but its switch can be flipped from the keyboard.
  return selectable_ || std::dynamic_pointer_cast<Switch>(accessory_) != nullptr;
}

void TableViewCell::setHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  if (highlighted) fading_ = false;
  setNeedsDisplay();
}

void TableViewCell::setSelected(bool selected, bool animated) {
  if (selected == selected_) return;
  selected_ = selected;
  fading_ = false;
  if (!selected && animated && !highlighted_) {
    fading_ = true;
    fadeStart_ = foundation::RunLoop::main().now();
    auto& loop = foundation::RunLoop::main();
    if (frameLoop_ != loop.identity()) {
      frameLoop_ = loop.identity();
      std::weak_ptr<TableViewCell> weak = sharedAs<TableViewCell>();
      loop.addFrameObserver([weak](double now) {
        auto self = weak.lock();
        return self && self->stepFade(now);
      });
    }
  }
  setNeedsDisplay();
}

bool TableViewCell::stepFade(double now) {
  if (fading_ && now - fadeStart_ >= kDeselectDuration) fading_ = false;
  setNeedsDisplay();
  if (!fading_) frameLoop_ = 0;
  return fading_;
}

double TableViewCell::highlightStrength() const {
  if (highlighted_ || selected_) return 1;
  if (!fading_) return 0;
  double t = (foundation::RunLoop::main().now() - fadeStart_) / kDeselectDuration;
  return std::clamp(1 - t, 0.0, 1.0);
}

void TableViewCell::setFocused(bool focused) {
  if (focused == focused_) return;
  focused_ = focused;
  setNeedsDisplay();
}

void TableViewCell::setGroupPlacement(bool first, bool last) {
  if (first == first_ && last == last_) return;
  first_ = first;
  last_ = last;
  setNeedsDisplay();
}

void TableViewCell::layoutSubviews() {
  View::layoutSubviews();
  Rect b = bounds();
  contentView_->setFrame(b);
  // The text leads and the accessory trails: mirrored when the interface reads right to left.
  bool rightToLeft =
      effectiveUserInterfaceLayoutDirection() == UserInterfaceLayoutDirection::RightToLeft;
  double textStart = kMargin;
  double textEnd = b.width() - kMargin;
  if (accessory_) {
    foundation::Size size = accessory_->frame().size;
    Point origin{rightToLeft ? kMargin : b.width() - kMargin - size.width,
                 (b.height() - size.height) / 2};
    accessory_->setFrame({origin, size});
    if (rightToLeft) {
      textStart = origin.x + size.width + kLabelToAccessory;
    } else {
      textEnd = origin.x - kLabelToAccessory;
    }
  }
  if (textLabel_) {
    textLabel_->setFrame({textStart, 0, std::max(0.0, textEnd - textStart), b.height()});
  }
}

void TableViewCell::draw(Rect rect) {
  (void)rect;
  Rect b = bounds();
  BezierPath shape = roundedRect(b, first_ ? kCornerRadius : 0, last_ ? kCornerRadius : 0);
  Color::secondarySystemGroupedBackground().setFill();
  shape.fill();
  if (double strength = highlightStrength(); strength > 0) {
    Color highlight = highlightColor();
    highlight.withAlpha(highlight.alpha() * strength).setFill();
    shape.fill();
  }
  if (!last_) {
    auto* context = graphics::GraphicsContext::current();
    double hairline = context ? 1 / context->scale() : 1;
    Color::separator().setFill();
    // Inset at the leading side only, under the text.
    bool rightToLeft =
        effectiveUserInterfaceLayoutDirection() == UserInterfaceLayoutDirection::RightToLeft;
    BezierPath::withRect(
        {rightToLeft ? 0 : kMargin, b.height() - hairline, b.width() - kMargin, hairline})
        .fill();
  }
  if (focused_) {
    // Centred on the stroke so that its outer edge sits kFocusInset inside the row.
    double inset = kFocusInset + kFocusWidth / 2;
    BezierPath ring = roundedRect(b.insetBy(inset, inset), kFocusRadius, kFocusRadius);
    ring.setLineWidth(kFocusWidth);
    Color::systemBlue().setStroke();
    ring.stroke();
  }
}

void TableViewCell::touchesBegan(const TouchSet& touches) {
  if (auto parent = superview()) parent->touchesBegan(touches);
}

void TableViewCell::touchesMoved(const TouchSet& touches) {
  if (auto parent = superview()) parent->touchesMoved(touches);
}

void TableViewCell::touchesEnded(const TouchSet& touches) {
  if (auto parent = superview()) parent->touchesEnded(touches);
}

void TableViewCell::touchesCancelled(const TouchSet& touches) {
  if (auto parent = superview()) parent->touchesCancelled(touches);
}

}  // namespace ui
