#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/PointerInteraction.h"
#include "platform/ui/ViewAnimation.h"
#include "platform/ui/ViewController.h"

namespace ui {

using foundation::Point;
using foundation::Rect;

namespace {
// More separate rectangles than this cost more to track than to paint as one.
// A long thin diagonal damaged in pieces needs a few dozen: their bounding
// box would be most of the window.
constexpr std::size_t kMaxDamageRects = 64;
constexpr double kDimAlpha = 0.32;
constexpr double kPresentDuration = 0.2;
constexpr double kSheetMargin = 40;
constexpr double kSheetCornerRadius = 12;
}  // namespace

Window::Window(std::shared_ptr<WindowPeer> peer) : View(), peer_(std::move(peer)) {
  if (peer_) {
    scale_ = peer_->scale();
    setFrame({{0, 0}, peer_->size()});
  }
}

std::shared_ptr<Window> Window::window() const {
  // Empty while the window is still being constructed.
  auto self = std::const_pointer_cast<Object>(weak_from_this().lock());
  return std::static_pointer_cast<Window>(self);
}

void Window::setRootViewController(const std::shared_ptr<ViewController>& controller) {
  if (root_) root_->view()->removeFromSuperview();
  root_ = controller;
  if (!root_) return;
  root_->setAppearanceManaged(true);
  auto view = root_->view();
  view->setFrame(bounds());
  addSubview(view);
}

void Window::makeKeyAndVisible() {
  std::weak_ptr<Window> weak = std::static_pointer_cast<Window>(shared_from_this());
  // Laid out before the frame's animations and dynamics step: a screen installed for a window
  // that just grew would otherwise step once in its old bounds and shove every item into them.
  foundation::RunLoop::main().setLayoutHook([weak] {
    if (auto w = weak.lock()) w->layoutIfNeeded();
  });
  foundation::RunLoop::main().setRenderHook([weak](double) {
    if (auto w = weak.lock()) w->render();
  });
  if (visible_) return;
  visible_ = true;
  invalidateAll();
  if (root_) {
    root_->beginAppearance(true, false);
    root_->endAppearance();
  }
}

std::shared_ptr<ViewController> Window::topViewController() const {
  auto top = root_;
  while (top && top->presentedViewController()) top = top->presentedViewController();
  return top;
}

void Window::placePresented(ViewController& controller, bool sheet) const {
  // A sheet is a centred, rounded card of the size the controller asks for,
  // within a margin of the window; on a small window, and for a full-screen
  // presentation, it is the whole window.
  auto view = controller.view();
  bool card = sheet && bounds().width() >= 520 && bounds().height() >= 480;
  if (!card) {
    view->setFrame(bounds());
    view->setCornerRadius(0);
    return;
  }
  auto wanted = controller.preferredContentSize().value_or(foundation::Size{440, 600});
  double w = std::min(bounds().width() - 2 * kSheetMargin, wanted.width);
  double h = std::min(bounds().height() - 2 * kSheetMargin, wanted.height);
  view->setFrame(
      {std::round((bounds().width() - w) / 2), std::round((bounds().height() - h) / 2), w, h});
  view->setCornerRadius(kSheetCornerRadius);
}

void Window::showPresented(const std::shared_ptr<ViewController>& controller, bool sheet,
                           bool animated, std::function<void()> done) {
  auto dimming = foundation::create<View>(bounds());
  dimming->setBackgroundColor(graphics::Color::fromRGB(0, 0, 0, sheet ? kDimAlpha : 0));
  placePresented(*controller, sheet);
  // A sheet stands over the screen it was opened from, which stays at the base level.
  controller->view()->setUserInterfaceLevel(
      sheet ? std::optional(graphics::Appearance::Level::Elevated) : std::nullopt);
  dimming->addSubview(controller->view());
  addSubview(dimming);
  presentations_.push_back({controller, dimming, sheet});
  cancelAllTouches();
  if (!animated) {
    done();
    return;
  }
  dimming->setAlpha(0);
  beginTransition();
  std::weak_ptr<Window> weak = weakAs<Window>();
  ViewAnimation::animate(
      kPresentDuration, [&] { dimming->setAlpha(1); },
      [weak, done](bool) {
        if (auto window = weak.lock()) window->endTransition();
        done();
      });
}

void Window::hidePresented(const std::shared_ptr<ViewController>& controller, bool animated,
                           std::function<void()> done) {
  auto it = std::find_if(presentations_.begin(), presentations_.end(),
                         [&](const Presentation& p) { return p.controller.lock() == controller; });
  if (it == presentations_.end()) {
    done();
    return;
  }
  auto dimming = it->dimming;
  presentations_.erase(it);
  cancelAllTouches();
  auto finish = [dimming, done] {
    dimming->removeFromSuperview();
    done();
  };
  if (!animated) {
    finish();
    return;
  }
  // Nothing under a closing sheet takes input until it is gone.
  beginTransition();
  std::weak_ptr<Window> weak = weakAs<Window>();
  ViewAnimation::animate(
      kPresentDuration, [&] { dimming->setAlpha(0); },
      [weak, finish](bool) {
        if (auto window = weak.lock()) window->endTransition();
        finish();
      });
}

void Window::beginTransition() {
  ++transitions_;
}

void Window::endTransition() {
  if (transitions_ > 0) --transitions_;
}

void Window::layoutSubviews() {
  if (root_ && root_->isViewLoaded()) root_->view()->setFrame(bounds());
  for (auto& p : presentations_) {
    p.dimming->setFrame(bounds());
    if (auto c = p.controller.lock()) placePresented(*c, p.sheet);
  }
  View::layoutSubviews();
}

void Window::sendTouch(const TouchEvent& event) {
  if (event.phase == TouchPhase::Began) {
    // A fading sheet is in no state to take a touch, and what it covers or
    // uncovers must not take one meant for the sheet.
    if (isTransitioning()) return;
    if (touches_.count(event.id)) return;  // a duplicate down: keep the first
    auto hit = hitTest(event.location);
    if (!hit) return;
    auto tracked = std::make_shared<TrackedTouch>();
    tracked->touch = std::make_shared<Touch>(event.id, event.location, event.timestamp);
    tracked->touch->setView(hit);
    for (auto view = hit; view; view = view->superview()) {
      for (const auto& recognizer : view->gestureRecognizers()) {
        if (recognizer->isEnabled()) tracked->recognizers.push_back(recognizer);
      }
    }
    touches_[event.id] = tracked;
    deliver(tracked, TouchPhase::Began);
    return;
  }
  auto it = touches_.find(event.id);
  if (it == touches_.end()) return;
  auto tracked = it->second;
  tracked->touch->update(event.phase, event.location, event.timestamp);
  if (event.phase != TouchPhase::Moved) touches_.erase(it);
  deliver(tracked, event.phase);
}

void Window::deliver(const std::shared_ptr<TrackedTouch>& tracked, TouchPhase phase) {
  TouchSet touches{tracked->touch};
  auto recognizers = tracked->recognizers;
  for (const auto& recognizer : recognizers) {
    switch (phase) {
      case TouchPhase::Began:
        recognizer->touchesBegan(touches);
        break;
      case TouchPhase::Moved:
        recognizer->touchesMoved(touches);
        break;
      case TouchPhase::Ended:
        recognizer->touchesEnded(touches);
        break;
      case TouchPhase::Cancelled:
        recognizer->touchesCancelled(touches);
        break;
    }
  }
  // A recogniser that began while this touch was delivered has taken it.
  auto view = tracked->touch->view();
  if (!view || tracked->viewCancelled) return;
  switch (phase) {
    case TouchPhase::Began:
      view->touchesBegan(touches);
      break;
    case TouchPhase::Moved:
      view->touchesMoved(touches);
      break;
    case TouchPhase::Ended:
      view->touchesEnded(touches);
      break;
    case TouchPhase::Cancelled:
      view->touchesCancelled(touches);
      break;
  }
}

void Window::cancelTouchesInViewsOf(const GestureRecognizer& recognizer) {
  auto touches = touches_;
  for (auto& [id, tracked] : touches) {
    if (tracked->viewCancelled) continue;
    bool watched = std::any_of(tracked->recognizers.begin(), tracked->recognizers.end(),
                               [&](const auto& r) { return r.get() == &recognizer; });
    if (!watched) continue;
    tracked->viewCancelled = true;
    if (auto view = tracked->touch->view()) view->touchesCancelled({tracked->touch});
  }
}

void Window::cancelAllTouches() {
  auto touches = std::move(touches_);
  touches_.clear();
  for (auto& [id, tracked] : touches) {
    tracked->touch->update(TouchPhase::Cancelled, tracked->touch->locationIn(nullptr),
                           tracked->touch->timestamp());
    deliver(tracked, TouchPhase::Cancelled);
  }
}

void Window::sendKey(const KeyEvent& event) {
  // Keys during a sheet's fade would reach whichever screen happens to be on
  // top at that instant: they go to nobody instead.
  if (isTransitioning()) return;
  if (Application::shared()->performKeyCommand(event)) return;
  std::shared_ptr<Responder> responder = topViewController();
  for (; responder; responder = responder->nextResponder()) {
    if (responder->keyPressed(event)) return;
  }
}

void Window::sendPointer(const PointerEvent& event) {
  if (event.inside) {
    pointer_ = event.location;
  } else {
    pointer_.reset();
  }
  updateHover();
}

void Window::updateHover() {
  std::shared_ptr<View> preview;
  if (pointer_ && touches_.empty()) {
    for (auto v = hitTest(*pointer_); v && !preview; v = v->superview()) {
      for (const auto& interaction : v->interactions()) {
        if (auto pointer = std::dynamic_pointer_cast<PointerInteraction>(interaction)) {
          preview = pointer->style().preview.lock();
          break;
        }
      }
    }
  }
  auto old = hovered_.lock();
  if (old == preview) return;
  if (old) old->setHovered(false);
  if (preview) preview->setHovered(true);
  hovered_ = preview;
  if (peer_) peer_->setCursor(preview ? Cursor::Hand : Cursor::Arrow);
}

void Window::peerDidResize() {
  if (!peer_) return;
  scale_ = peer_->scale();
  setFrame({{0, 0}, peer_->size()});
  setNeedsLayout();
  invalidateAll();
}

void Window::invalidate(const Rect& rect) {
  if (!visible_ || rect.isEmpty()) return;
  Rect r = rect.intersection(bounds());
  if (r.isEmpty()) return;
  // Merge into an overlapping rectangle, or keep it apart while there are few.
  for (auto& d : damage_) {
    if (d.intersects(r)) {
      d = d.unionWith(r);
      foundation::RunLoop::main().setNeedsFrame();
      return;
    }
  }
  if (damage_.size() >= kMaxDamageRects) {
    Rect all = r;
    for (auto& d : damage_) all = all.unionWith(d);
    damage_ = {all};
  } else {
    damage_.push_back(r);
  }
  foundation::RunLoop::main().setNeedsFrame();
}

std::shared_ptr<Responder> Window::nextResponder() const {
  return Application::shared();
}

void Window::setNeedsLayoutPass() {
  foundation::RunLoop::main().setNeedsFrame();
}

std::vector<Rect> Window::render() {
  layoutIfNeeded();
  updateHover();
  if (damage_.empty() || !peer_) return {};
  auto damage = std::move(damage_);
  damage_.clear();
  auto painted = Compositor::paint(*this, peer_->beginFrame(), scale_, damage);
  std::vector<PixelRect> pixels;
  for (const Rect& r : painted) {
    pixels.push_back({static_cast<int>(r.minX() * scale_), static_cast<int>(r.minY() * scale_),
                      static_cast<int>(r.width() * scale_ + 0.5),
                      static_cast<int>(r.height() * scale_ + 0.5)});
  }
  if (!pixels.empty()) {
    peer_->present(pixels);
    ++framesPresented_;
  }
  return painted;
}

}  // namespace ui
