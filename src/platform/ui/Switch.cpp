#include "platform/ui/Switch.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Appearance.h"
#include "platform/graphics/BezierPath.h"
#include "platform/graphics/Color.h"
#include "platform/ui/ViewAnimation.h"

namespace ui {

using foundation::Rect;
using graphics::BezierPath;
using graphics::Color;

namespace {

constexpr double kKnobInset = 2;
constexpr double kDisabledAlpha = 0.5;

// A stadium shape. Every piece runs clockwise, so under the non-zero rule the
// overlaps fill once and a translucent colour stays even.
BezierPath capsule(Rect r) {
  double d = r.height();
  BezierPath path = BezierPath::withOvalInRect({r.minX(), r.minY(), d, d});
  path.append(BezierPath::withRect({r.minX() + d / 2, r.minY(), r.width() - d, d}));
  path.append(BezierPath::withOvalInRect({r.maxX() - d, r.minY(), d, d}));
  return path;
}

// A faint grey over whatever is behind; on a dark background it needs twice the strength.
double offTrackAlpha() {
  return graphics::Appearance::current() == graphics::Appearance::Style::Dark ? 0.32 : 0.16;
}

}  // namespace

Switch::Switch(foundation::Point origin) : Control(Rect{origin, kSize}) {
  setDrawsContent(true);
}

void Switch::setOn(bool on, bool animated) {
  if (on == on_) return;
  on_ = on;
  if (!animated) {
    moving_ = false;
    knob_ = on ? 1 : 0;
    setNeedsDisplay();
    return;
  }
  knobFrom_ = knob_;
  moveStart_ = foundation::RunLoop::main().now();
  moving_ = true;
  followFrames();
}

void Switch::toggle() {
  auto protector = sharedAs<Switch>();
  setOn(!on_, true);
  sendActions(ControlEvent::ValueChanged);
}

void Switch::followFrames() {
  auto& loop = foundation::RunLoop::main();
  // One observer per loop; a test that replaced the loop needs a new one.
  if (frameLoop_ == loop.identity()) return;
  frameLoop_ = loop.identity();
  std::weak_ptr<Switch> weak = sharedAs<Switch>();
  loop.addFrameObserver([weak](double now) {
    auto self = weak.lock();
    return self && self->stepKnob(now);
  });
}

bool Switch::stepKnob(double now) {
  if (moving_) {
    double t = (now - moveStart_) / kToggleDuration;
    double target = on_ ? 1 : 0;
    knob_ = knobFrom_ + (target - knobFrom_) * ViewAnimation::easeInOut(t);
    if (t >= 1) {
      knob_ = target;
      moving_ = false;
    }
    setNeedsDisplay();
  }
  if (!moving_) frameLoop_ = 0;
  return moving_;
}

void Switch::draw(Rect rect) {
  (void)rect;
  Rect track{(bounds().width() - kSize.width) / 2, (bounds().height() - kSize.height) / 2,
             kSize.width, kSize.height};
  double alpha = isEnabled() ? 1 : kDisabledAlpha;
  BezierPath trackPath = capsule(track);
  Color::fromRGB255(120, 120, 128, offTrackAlpha() * alpha).setFill();
  trackPath.fill();
  if (knob_ > 0) {
    Color green = Color::systemGreen();
    green.withAlpha(green.alpha() * knob_ * alpha).setFill();
    trackPath.fill();
  }

  double diameter = track.height() - 2 * kKnobInset;
  double travel = track.width() - 2 * kKnobInset - diameter;
  // The on end trails, as the row's text leads: the left when the interface reads right to left.
  double along = std::clamp(knob_, 0.0, 1.0);
  if (effectiveUserInterfaceLayoutDirection() == UserInterfaceLayoutDirection::RightToLeft) {
    along = 1 - along;
  }
  Rect knob{track.minX() + kKnobInset + travel * along, track.minY() + kKnobInset, diameter,
            diameter};
  // A soft shadow from a few widening, faint rings below the knob.
  for (double spread : {0.0, 0.75, 1.5}) {
    Color::black().withAlpha(0.05 * alpha).setFill();
    BezierPath::withOvalInRect(knob.offsetBy(0, 1.5).insetBy(-spread, -spread)).fill();
  }
  Color::black().withAlpha(0.04 * alpha).setFill();
  BezierPath::withOvalInRect(knob.insetBy(-0.5, -0.5)).fill();
  Color::white().withAlpha(alpha).setFill();
  BezierPath::withOvalInRect(knob).fill();
}

void Switch::tapCompleted() {
  toggle();
}

}  // namespace ui
