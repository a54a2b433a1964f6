#include "platform/ui/View.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/Application.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/ViewAnimation.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

namespace ui {

using foundation::Point;
using foundation::Rect;

View::~View() {
  // Animations of a view that is gone cannot finish.
  for (auto& a : animations_) a.group->end(false);
}

void View::setFrame(Rect frame) {
  if (frame == frame_) return;
  bool resized = frame.size != frame_.size;
  invalidate();
  frame_ = frame;
  invalidate();
  if (resized) {
    needsDisplay_ = true;
    setNeedsLayout();
  }
  if (geometryObservers_.empty()) return;
  std::erase_if(geometryObservers_, [](const auto& weak) { return weak.expired(); });
  auto observers = geometryObservers_;
  for (auto& weak : observers) {
    if (auto observer = weak.lock()) observer->viewGeometryDidChange(*this);
  }
}

void View::addGeometryObserver(const std::weak_ptr<GeometryObserver>& observer) {
  auto wanted = observer.lock();
  if (!wanted) return;
  for (auto& weak : geometryObservers_) {
    if (weak.lock() == wanted) return;
  }
  geometryObservers_.push_back(observer);
}

void View::setCenter(Point center) {
  Point old = frame_.center();
  if (old == center) return;
  if (auto group = ViewAnimation::currentGroup()) {
    addAnimation(AnimatedProperty::Center, old.x - center.x, old.y - center.y,
                 foundation::RunLoop::main().now(), ViewAnimation::currentDuration(), group);
  }
  setFrame(frame_.offsetBy(center.x - old.x, center.y - old.y));
}

void View::setAlpha(double alpha) {
  alpha = std::clamp(alpha, 0.0, 1.0);
  if (auto group = ViewAnimation::currentGroup()) {
    addAnimation(AnimatedProperty::Alpha, alpha_ - alpha, 0, foundation::RunLoop::main().now(),
                 ViewAnimation::currentDuration(), group);
  }
  if (alpha == alpha_) return;
  alpha_ = alpha;
  invalidate();
}

void View::setHidden(bool hidden) {
  if (hidden == hidden_) return;
  invalidate();
  hidden_ = hidden;
  invalidate();
}

void View::setBackgroundColor(std::optional<graphics::Color> color) {
  background_ = color;
  invalidate();
}

void View::setCornerRadius(double radius) {
  if (radius == cornerRadius_) return;
  cornerRadius_ = std::max(0.0, radius);
  invalidate();
}

void View::setHovered(bool hovered) {
  if (hovered == hovered_) return;
  hovered_ = hovered;
  invalidate();
}

Rect View::presentedFrame() const {
  Rect f = frame_;
  for (const auto& a : animations_) {
    if (a.property != AnimatedProperty::Center) continue;
    double remaining = 1 - a.progress;
    f = f.offsetBy(a.dx * remaining, a.dy * remaining);
  }
  return f;
}

double View::presentedAlpha() const {
  double alpha = alpha_;
  for (const auto& a : animations_) {
    if (a.property == AnimatedProperty::Alpha) alpha += a.dx * (1 - a.progress);
  }
  return std::clamp(alpha, 0.0, 1.0);
}

void View::addSubview(const std::shared_ptr<View>& view) {
  if (!view || view.get() == this) return;
  auto self = sharedAs<View>();
  if (view->superview() == self) {
    // Re-adding moves it to the front, as on the platform.
    std::erase(subviews_, view);
  } else {
    view->removeFromSuperview();
  }
  subviews_.push_back(view);
  view->superview_ = self;
  view->notifyMovedToWindow();
  view->invalidate();
  setNeedsLayout();
}

void View::removeFromSuperview() {
  auto parent = superview();
  if (!parent) return;
  auto self = sharedAs<View>();  // the parent may hold the last owner
  invalidate();
  std::erase(parent->subviews_, self);
  superview_.reset();
  // Constraints to the old superview make no sense any more.
  for (auto& c : std::vector(constraints_)) c->deactivateDetached();
  constraints_.clear();
  notifyMovedToWindow();
}

void View::notifyMovedToWindow() {
  bool inWindow = window() != nullptr;
  if (!inWindow) removeAllAnimations();
  if (inWindow != inWindow_) {
    inWindow_ = inWindow;
    if (auto controller = viewController(); controller && !controller->appearanceManaged()) {
      controller->beginAppearance(inWindow, false);
      controller->endAppearance();
    }
  }
  didMoveToWindow();
  for (auto& child : std::vector(subviews_)) child->notifyMovedToWindow();
}

std::shared_ptr<Window> View::window() const {
  auto parent = superview();
  return parent ? parent->window() : nullptr;
}

bool View::isDescendantOf(const View& other) const {
  for (auto v = superview(); v; v = v->superview()) {
    if (v.get() == &other) return true;
  }
  return this == &other;
}

void View::invalidate() {
  if (auto w = window()) w->invalidate(presentedFrameInWindow());
}

void View::setNeedsDisplay() {
  needsDisplay_ = true;
  dirtyRects_.clear();
  invalidate();
}

void View::setNeedsDisplayInRect(Rect rect) {
  rect = rect.intersection(bounds());
  if (rect.isEmpty()) return;
  if (!needsDisplay_ && !drawsDirectly_) addDirtyRect(rect);
  if (auto w = window()) {
    Rect frame = presentedFrameInWindow();
    w->invalidate(rect.offsetBy(frame.minX(), frame.minY()));
  }
}

std::shared_ptr<graphics::Image> View::contentImage(double scale) {
  if (!drawsContent_) return nullptr;
  Rect frame = contentFrame(scale);
  if (frame.isEmpty()) return nullptr;
  if (content_ && !needsDisplay_ && content_->scale() == scale) {
    // Only the view holds its backing store now, so the part can be redrawn in
    // place; a store someone else still holds is left alone and drawn anew.
    if (!dirtyRects_.empty() && content_.use_count() == 1) redrawDirtyRects();
    if (dirtyRects_.empty()) return content_;
  }
  auto self = sharedAs<View>();
  auto image = graphics::GraphicsContext::renderImage(frame.size, scale, false, [&] {
    if (auto* context = graphics::GraphicsContext::current()) {
      context->translateBy(-frame.minX(), -frame.minY());
    }
    graphics::Appearance::performAtLevel(effectiveUserInterfaceLevel(), [&] { self->draw(frame); });
  });
  if (drawsDirectly_) return image;
  needsDisplay_ = false;
  dirtyRects_.clear();
  content_ = image;
  return content_;
}

void View::setDrawsDirectly(bool direct) {
  drawsDirectly_ = direct;
  if (direct) drawsContent_ = true;
  content_.reset();
  dirtyRects_.clear();
  setNeedsDisplay();
}

void View::drawDirectly(cairo_t* cr, double scale, Point origin, const Rect& clip) {
  // What the backing store would hold: the content frame, out to whole pixels.
  Rect frame = contentFrame(scale);
  Rect part = clip.offsetBy(-origin.x, -origin.y).intersection(frame);
  if (part.isEmpty()) return;
  cairo_save(cr);
  cairo_translate(cr, origin.x, origin.y);
  cairo_rectangle(cr, part.minX(), part.minY(), part.width(), part.height());
  cairo_clip(cr);
  {
    graphics::GraphicsContext context(cr, scale);
    graphics::GraphicsContext::Scope scope(context);
    auto self = sharedAs<View>();
    graphics::Appearance::performAtLevel(effectiveUserInterfaceLevel(), [&] { self->draw(part); });
  }
  cairo_restore(cr);
}

void View::setContentRect(std::optional<Rect> rect) {
  if (rect == contentRect_) return;
  contentRect_ = rect;
  setNeedsDisplay();
}

Rect View::contentFrame(double scale) const {
  if (!contentRect_) return bounds();
  return contentRect_->integralAtScale(scale).intersection(bounds());
}

void View::addDirtyRect(Rect rect) {
  // An overlapping part grows into one; beyond a few parts the bookkeeping
  // would cost more than it saves.
  for (auto& d : dirtyRects_) {
    if (d.intersects(rect)) {
      d = d.unionWith(rect);
      return;
    }
  }
  if (dirtyRects_.size() < kMaxDirtyRects) {
    dirtyRects_.push_back(rect);
    return;
  }
  for (const auto& d : dirtyRects_) rect = rect.unionWith(d);
  dirtyRects_ = {rect};
}

void View::redrawDirtyRects() {
  double scale = content_->scale();
  Rect frame = contentFrame(scale);
  std::vector<Rect> parts;
  std::optional<Rect> all;
  for (const Rect& part : dirtyRects_) {
    Rect r = part.integralAtScale(scale).intersection(frame);
    if (r.isEmpty()) continue;
    parts.push_back(r);
    all = all ? all->unionWith(r) : r;
  }
  dirtyRects_.clear();
  if (!all) return;
  cairo_surface_t* surface = content_->surface();
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -frame.minX(), -frame.minY());
  for (const Rect& r : parts) cairo_rectangle(cr, r.minX(), r.minY(), r.width(), r.height());
  Rect rect = *all;
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  {
    graphics::GraphicsContext context(cr, scale);
    graphics::GraphicsContext::Scope scope(context);
    graphics::Appearance::performAtLevel(effectiveUserInterfaceLevel(), [&] { draw(rect); });
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
}

void View::setNeedsLayout() {
  needsLayout_ = true;
  if (auto w = window()) w->setNeedsLayoutPass();
}

void View::layoutIfNeeded() {
  if (needsLayout_) {
    needsLayout_ = false;
    layoutSubviews();
    if (auto controller = viewController()) controller->viewDidLayoutSubviews();
  }
  for (auto& child : std::vector(subviews_)) child->layoutIfNeeded();
}

void View::layoutSubviews() {
  for (auto& child : subviews_) child->applyConstraints();
}

UserInterfaceLayoutDirection View::effectiveUserInterfaceLayoutDirection() const {
  return Application::shared()->userInterfaceLayoutDirection();
}

void View::applyConstraints() {
  auto parent = superview();
  if (!parent || constraints_.empty()) return;
  Rect f = frame_;
  Rect pb = parent->bounds();
  for (const auto& c : constraints_) {
    double k = c->constant();
    switch (c->firstAnchor().edge()) {
      case Edge::Top:
        f.size.height += f.origin.y - (pb.minY() + k);
        f.origin.y = pb.minY() + k;
        break;
      case Edge::Bottom:
        f.size.height = pb.maxY() + k - f.origin.y;
        break;
      case Edge::Leading:
        f.size.width += f.origin.x - (pb.minX() + k);
        f.origin.x = pb.minX() + k;
        break;
      case Edge::Trailing:
        f.size.width = pb.maxX() + k - f.origin.x;
        break;
    }
  }
  setFrame(f);
}

std::shared_ptr<View> View::hitTest(Point point) {
  if (hidden_ || !interactive_ || alpha_ < 0.01 || isAnimating() || !pointInside(point)) {
    return nullptr;
  }
  for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
    auto& child = *it;
    Point local = point - child->frame_.origin;
    if (auto hit = child->hitTest(local)) return hit;
  }
  return sharedAs<View>();
}

Point View::convertFromWindow(Point p) const {
  for (const View* v = this; v; v = v->superview().get()) p = p - v->frame_.origin;
  return p;
}

Point View::convertToWindow(Point p) const {
  for (const View* v = this; v; v = v->superview().get()) p = p + v->frame_.origin;
  return p;
}

Rect View::presentedFrameInWindow() const {
  Rect r = presentedFrame();
  for (auto v = superview(); v; v = v->superview()) {
    Rect pf = v->presentedFrame();
    r = r.offsetBy(pf.minX(), pf.minY());
  }
  return r;
}

void View::addInteraction(const std::shared_ptr<Interaction>& interaction) {
  interactions_.push_back(interaction);
  interaction->attach(weakAs<View>());
}

void View::addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
  if (!recognizer) return;
  if (auto previous = recognizer->view()) previous->removeGestureRecognizer(recognizer);
  gestureRecognizers_.push_back(recognizer);
  recognizer->view_ = weakAs<View>();
}

void View::removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
  auto it = std::find(gestureRecognizers_.begin(), gestureRecognizers_.end(), recognizer);
  if (it == gestureRecognizers_.end()) return;
  recognizer->view_.reset();
  gestureRecognizers_.erase(it);
}

std::shared_ptr<Responder> View::nextResponder() const {
  if (auto controller = viewController()) return controller;
  return superview();
}

void View::addAnimation(AnimatedProperty property, double dx, double dy, double start,
                        double duration, const std::shared_ptr<AnimationGroup>& group) {
  ++group->pending;
  animations_.push_back({property, dx, dy, start, duration, 0, group});
  ViewAnimation::track(sharedAs<View>());
  invalidate();
}

bool View::stepAnimations(double now) {
  invalidate();
  std::vector<std::shared_ptr<AnimationGroup>> ended;
  std::erase_if(animations_, [&](Animation& a) {
    double t = a.duration > 0 ? (now - a.start) / a.duration : 1;
    a.progress = ViewAnimation::easeInOut(t);
    if (t < 1) return false;
    ended.push_back(a.group);
    return true;
  });
  invalidate();
  for (auto& group : ended) group->end(true);
  return !animations_.empty();
}

void View::removeAllAnimations() {
  if (animations_.empty()) return;
  auto removed = std::move(animations_);
  animations_.clear();
  invalidate();
  for (auto& a : removed) a.group->end(false);
}

void removeAllSubviews(View& view) {
  for (auto& child : std::vector(view.subviews())) child->removeFromSuperview();
}

void View::setUserInterfaceLevel(std::optional<graphics::Appearance::Level> level) {
  if (level == level_) return;
  auto before = effectiveUserInterfaceLevel();
  level_ = level;
  if (effectiveUserInterfaceLevel() != before) propagateUserInterfaceStyleChange(*this);
}

graphics::Appearance::Level View::effectiveUserInterfaceLevel() const {
  if (level_) return *level_;
  auto parent = superview();
  return parent ? parent->effectiveUserInterfaceLevel() : graphics::Appearance::Level::Base;
}

void View::userInterfaceStyleDidChange() {
  if (drawsContent_) setNeedsDisplay();
}

namespace {

void propagateAtLevel(View& view, graphics::Appearance::Level inherited) {
  auto level = view.userInterfaceLevel().value_or(inherited);
  graphics::Appearance::performAtLevel(level, [&] {
    if (auto controller = view.viewController()) controller->userInterfaceStyleDidChange();
    view.userInterfaceStyleDidChange();
  });
  // A copy: a controller may rebuild its views as it recolours them.
  auto subviews = view.subviews();
  for (const auto& subview : subviews) propagateAtLevel(*subview, level);
}

}  // namespace

void propagateUserInterfaceStyleChange(View& view) {
  propagateAtLevel(view, view.effectiveUserInterfaceLevel());
}

}  // namespace ui
