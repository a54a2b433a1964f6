#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <cairo.h>

#include "platform/foundation/Geometry.h"
#include "platform/graphics/Appearance.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"
#include "platform/ui/CollisionBoundsType.h"
#include "platform/ui/GeometryObserver.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/LayoutDirection.h"
#include "platform/ui/Responder.h"
#include "platform/ui/Touch.h"

namespace ui {

class Window;
class ViewController;
class Interaction;
class GestureRecognizer;
struct AnimationGroup;

// A rectangle in the tree: geometry, drawing, touches. Moving a view or changing
// its alpha only re-composites it; its drawn content (draw()) is cached in a
// backing store at the window's scale and redrawn only after setNeedsDisplay().
class View : public Responder {
 public:
  View() = default;
  explicit View(foundation::Rect frame) : frame_(frame) {}
  ~View() override;

  // Model geometry, in the superview's coordinates.
  foundation::Rect frame() const { return frame_; }
  void setFrame(foundation::Rect frame);
  foundation::Rect bounds() const { return {{0, 0}, frame_.size}; }
  foundation::Point center() const { return frame_.center(); }
  void setCenter(foundation::Point center);
  double alpha() const { return alpha_; }
  void setAlpha(double alpha);
  bool isHidden() const { return hidden_; }
  void setHidden(bool hidden);
  const std::optional<graphics::Color>& backgroundColor() const { return background_; }
  void setBackgroundColor(std::optional<graphics::Color> color);
  // Rounds the view's corners: its background and everything inside are cut to them.
  double cornerRadius() const { return cornerRadius_; }
  void setCornerRadius(double radius);
  // Whether subviews are cut off at this view's edges (a scrolling table's rows).
  bool clipsToBounds() const { return clips_; }
  void setClipsToBounds(bool clips) { clips_ = clips; }
  void setUserInteractionEnabled(bool enabled) { interactive_ = enabled; }
  // Where the view is shown now: the model values moved by running animations.
  foundation::Rect presentedFrame() const;
  double presentedAlpha() const;

  // Tree. A parent owns its children; the superview is a weak back-reference.
  std::shared_ptr<View> superview() const { return superview_.lock(); }
  const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
  void addSubview(const std::shared_ptr<View>& view);
  void removeFromSuperview();
  virtual std::shared_ptr<Window> window() const;
  bool isDescendantOf(const View& other) const;

  // Drawing. A view that draws sets drawsContent in its constructor.
  void setNeedsDisplay();
  // Marks only `rect` (in this view's coordinates): the next draw() is clipped to
  // it, on top of the rest of the cached content, and only that part of the
  // window is composited again. For views that add a little at a time, or
  // change a thin shape: parts apart stay apart, so a long diagonal marked in
  // short pieces is redrawn as those pieces, not as its bounding box.
  void setNeedsDisplayInRect(foundation::Rect rect);
  // `rect` is the part being redrawn; drawing outside it is clipped away.
  virtual void draw(foundation::Rect rect) { (void)rect; }
  bool drawsContent() const { return drawsContent_; }
  // Whether draw() paints straight into the window's frame, clipped to each
  // damaged rectangle, instead of into a backing store composited later. For a
  // view that draws little over a large, mostly empty area: its store would be
  // window-sized, and writing into untouched pages of it costs more than the
  // drawing. The compositor never asks such a view for contentImage(). Its
  // draw() runs wherever the window is damaged, not only where it was marked,
  // so it must mark every part its state changes show in (a cached view's
  // unmarked parts keep what they last drew).
  bool drawsDirectly() const { return drawsDirectly_; }
  // The cached content at `scale`, redrawn if marked; nullptr when nothing is
  // drawn. A view that draws directly keeps no store: each call draws anew.
  std::shared_ptr<graphics::Image> contentImage(double scale);
  // The part of the bounds draw() paints in. The backing store covers only
  // that part, out to whole device pixels, so a view that draws in a corner of
  // a large area keeps a small store. The whole bounds unless set; a change
  // redraws.
  const std::optional<foundation::Rect>& contentRect() const { return contentRect_; }
  void setContentRect(std::optional<foundation::Rect> rect);
  // Where the backing store at `scale` lies, in the view's coordinates.
  foundation::Rect contentFrame(double scale) const;
  bool isHovered() const { return hovered_; }
  void setHovered(bool hovered);

  // Layout.
  void setNeedsLayout();
  void layoutIfNeeded();
  virtual void layoutSubviews();
  // Constraints are applied at every layout pass, so there is nothing to bring
  // up to date here; overrides may add their own. Never asks for a layout: it
  // is called from layout callbacks.
  virtual void updateConstraints() {}
  bool translatesAutoresizingMaskIntoConstraints() const { return autoresizing_; }
  void setTranslatesAutoresizingMaskIntoConstraints(bool on) { autoresizing_ = on; }
  LayoutAnchor topAnchor() { return {weakAs<View>(), Edge::Top}; }
  LayoutAnchor bottomAnchor() { return {weakAs<View>(), Edge::Bottom}; }
  LayoutAnchor leadingAnchor() { return {weakAs<View>(), Edge::Leading}; }
  LayoutAnchor trailingAnchor() { return {weakAs<View>(), Edge::Trailing}; }
  // The direction this view lays out its content in: the application's.
  UserInterfaceLayoutDirection effectiveUserInterfaceLayoutDirection() const;
  // The level the view's system colours resolve at: its own when set (the
  // window sets it on a presented sheet's view), otherwise its superview's,
  // and the base level at the top. Setting another tells the view and
  // everything inside it, as a change of light and dark does.
  const std::optional<graphics::Appearance::Level>& userInterfaceLevel() const { return level_; }
  void setUserInterfaceLevel(std::optional<graphics::Appearance::Level> level);
  graphics::Appearance::Level effectiveUserInterfaceLevel() const;
  // After the light or dark appearance or the level changed, for this view
  // and then its subviews: a view that drew itself draws again, and what
  // keeps a system colour it took (a background, a text colour) takes it
  // again here, at the view's level. The view's controller hears it first.
  virtual void userInterfaceStyleDidChange();
  // The active constraints that hold this view to its superview.
  std::vector<std::shared_ptr<LayoutConstraint>> constraints() const { return constraints_; }

  // Touches and hit testing, in this view's coordinates.
  virtual std::shared_ptr<View> hitTest(foundation::Point point);
  virtual bool pointInside(foundation::Point point) const { return bounds().contains(point); }
  virtual void touchesBegan(const TouchSet& touches) { (void)touches; }
  virtual void touchesMoved(const TouchSet& touches) { (void)touches; }
  virtual void touchesEnded(const TouchSet& touches) { (void)touches; }
  virtual void touchesCancelled(const TouchSet& touches) { (void)touches; }

  foundation::Point convertFromWindow(foundation::Point p) const;
  foundation::Point convertToWindow(foundation::Point p) const;
  foundation::Rect presentedFrameInWindow() const;

  // Observers are held weakly; adding one twice has no effect.
  void addGeometryObserver(const std::weak_ptr<GeometryObserver>& observer);

  // How the dynamics engine shapes this view when it moves it.
  virtual CollisionBoundsType collisionBoundsType() const { return CollisionBoundsType::Rectangle; }

  // The view owns its recognisers; they see touches on it and its descendants first.
  void addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
  void removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
  const std::vector<std::shared_ptr<GestureRecognizer>>& gestureRecognizers() const {
    return gestureRecognizers_;
  }

  void addInteraction(const std::shared_ptr<Interaction>& interaction);
  const std::vector<std::shared_ptr<Interaction>>& interactions() const { return interactions_; }

  std::shared_ptr<Responder> nextResponder() const override;
  void setViewController(const std::weak_ptr<ViewController>& controller) {
    controller_ = controller;
  }
  std::shared_ptr<ViewController> viewController() const { return controller_.lock(); }

  // Animation bookkeeping, used by ViewAnimation.
  enum class AnimatedProperty { Alpha, Center };
  void addAnimation(AnimatedProperty property, double dx, double dy, double start, double duration,
                    const std::shared_ptr<AnimationGroup>& group);
  bool stepAnimations(double now);  // false once none is left
  void removeAllAnimations();       // their completions learn they did not finish
  bool isAnimating() const { return !animations_.empty(); }

 protected:
  void setDrawsContent(bool draws) { drawsContent_ = draws; }
  // Draws straight into the frame (see drawsDirectly()); implies drawsContent.
  void setDrawsDirectly(bool direct);
  // Called when the view joins or leaves a window (window may be null).
  virtual void didMoveToWindow() {}
  void invalidate();  // damage the presented rectangle in the window

 private:
  friend class Window;
  friend class Compositor;
  friend class LayoutConstraint;
  void notifyMovedToWindow();
  void addDirtyRect(foundation::Rect rect);
  void redrawDirtyRects();
  // For a view that draws directly: draw() into `cr` (in window points at
  // `scale`) with the view's corner at `origin`, clipped to `clip` and to the
  // content frame.
  void drawDirectly(cairo_t* cr, double scale, foundation::Point origin,
                    const foundation::Rect& clip);
  void applyConstraints();

  // Beyond this many parts marked apart they become their bounding box.
  static constexpr std::size_t kMaxDirtyRects = 64;

  struct Animation {
    AnimatedProperty property;
    double dx, dy;
    double start, duration;
    double progress = 0;  // eased, 0..1
    std::shared_ptr<AnimationGroup> group;
  };

  foundation::Rect frame_;
  double alpha_ = 1;
  bool hidden_ = false;
  bool interactive_ = true;
  bool drawsContent_ = false;
  bool drawsDirectly_ = false;
  bool needsDisplay_ = true;
  bool needsLayout_ = true;
  bool autoresizing_ = true;
  bool hovered_ = false;
  bool inWindow_ = false;
  bool clips_ = false;
  double cornerRadius_ = 0;
  std::optional<graphics::Appearance::Level> level_;
  std::optional<graphics::Color> background_;
  std::shared_ptr<graphics::Image> content_;
  std::optional<foundation::Rect> contentRect_;
  std::vector<foundation::Rect> dirtyRects_;  // the parts to redraw, when not all of it
  std::weak_ptr<View> superview_;
  std::weak_ptr<ViewController> controller_;
  std::vector<std::shared_ptr<View>> subviews_;
  std::vector<std::shared_ptr<LayoutConstraint>> constraints_;
  std::vector<std::shared_ptr<Interaction>> interactions_;
  std::vector<std::shared_ptr<GestureRecognizer>> gestureRecognizers_;
  std::vector<std::weak_ptr<GeometryObserver>> geometryObservers_;
  std::vector<Animation> animations_;
};

// Removes every subview of `view`.
void removeAllSubviews(View& view);

// Tells `view`, its controller and everything inside it that the appearance
// changed (see View::userInterfaceStyleDidChange), each at its own level.
void propagateUserInterfaceStyleChange(View& view);

}  // namespace ui
