#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/Event.h"
#include "platform/ui/View.h"
#include "platform/ui/WindowPeer.h"

namespace ui {

class GestureRecognizer;
class ViewController;
class WindowScene;

// The root of a view tree, shown through a peer. It collects damage and
// composites it once per frame, routes touches to the views they began on,
// keys to the first responder, and pointer hover to pointer interactions.
class Window : public View {
 public:
  explicit Window(std::shared_ptr<WindowPeer> peer);

  std::shared_ptr<Window> window() const override;
  const std::shared_ptr<WindowPeer>& peer() const { return peer_; }
  double scale() const { return scale_; }
  std::optional<graphics::Color> tintColor() const { return tint_; }
  void setTintColor(graphics::Color color) { tint_ = color; }

  std::shared_ptr<WindowScene> windowScene() const { return scene_.lock(); }
  void setWindowScene(const std::weak_ptr<WindowScene>& scene) { scene_ = scene; }

  std::shared_ptr<ViewController> rootViewController() const { return root_; }
  void setRootViewController(const std::shared_ptr<ViewController>& controller);
  void makeKeyAndVisible();
  // The deepest presented controller, where keys and actions start.
  std::shared_ptr<ViewController> topViewController() const;

  // Modal presentation hosting, used by ViewController.
  void showPresented(const std::shared_ptr<ViewController>& controller, bool sheet, bool animated,
                     std::function<void()> done);
  void hidePresented(const std::shared_ptr<ViewController>& controller, bool animated,
                     std::function<void()> done);
  // While a presentation or dismissal is animating, the window takes no new
  // touches and delivers no keys, as the platform ignores interaction events
  // during its transitions.
  bool isTransitioning() const { return transitions_ > 0; }

  // Input from the backend.
  void sendTouch(const TouchEvent& event);
  void sendKey(const KeyEvent& event);
  void sendPointer(const PointerEvent& event);
  void cancelAllTouches();
  // A recogniser began: the views under its touches lose them (touchesCancelled).
  void cancelTouchesInViewsOf(const GestureRecognizer& recognizer);
  // The peer's size or scale changed.
  void peerDidResize();

  void invalidate(const foundation::Rect& rect);
  void invalidateAll() { invalidate(bounds()); }
  void setNeedsLayoutPass();
  // Lays out and composites what changed; returns the painted rectangles (points).
  std::vector<foundation::Rect> render();
  std::size_t framesPresented() const { return framesPresented_; }

  void layoutSubviews() override;
  std::shared_ptr<Responder> nextResponder() const override;

 private:
  struct Presentation {
    std::weak_ptr<ViewController> controller;
    std::shared_ptr<View> dimming;
    bool sheet;
  };
  // One finger on its way: the recognisers that watch it, and whether its
  // view still gets it (a recognised gesture takes it away).
  struct TrackedTouch {
    std::shared_ptr<Touch> touch;
    std::vector<std::shared_ptr<GestureRecognizer>> recognizers;
    bool viewCancelled = false;
  };
  void deliver(const std::shared_ptr<TrackedTouch>& tracked, TouchPhase phase);
  void placePresented(ViewController& controller, bool sheet) const;
  void updateHover();
  void beginTransition();
  void endTransition();

  std::shared_ptr<WindowPeer> peer_;
  double scale_ = 1;
  std::optional<graphics::Color> tint_;
  std::weak_ptr<WindowScene> scene_;
  std::shared_ptr<ViewController> root_;
  std::vector<Presentation> presentations_;
  std::map<std::int64_t, std::shared_ptr<TrackedTouch>> touches_;
  std::vector<foundation::Rect> damage_;
  std::optional<foundation::Point> pointer_;
  std::weak_ptr<View> hovered_;
  std::size_t framesPresented_ = 0;
  bool visible_ = false;
  int transitions_ = 0;
};

}  // namespace ui
