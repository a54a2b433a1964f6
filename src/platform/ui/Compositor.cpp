#include "platform/ui/Compositor.h"

#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/View.h"

#include <algorithm>
#include <optional>

namespace ui {

using foundation::Point;
using foundation::Rect;

namespace {
void roundedRectangle(cairo_t* cr, const Rect& r, double radius) {
  radius = std::min(radius, std::min(r.width(), r.height()) / 2);
  constexpr double kQuarter = 1.5707963267948966;
  cairo_new_sub_path(cr);
  cairo_arc(cr, r.maxX() - radius, r.minY() + radius, radius, -kQuarter, 0);
  cairo_arc(cr, r.maxX() - radius, r.maxY() - radius, radius, 0, kQuarter);
  cairo_arc(cr, r.minX() + radius, r.maxY() - radius, radius, kQuarter, 2 * kQuarter);
  cairo_arc(cr, r.minX() + radius, r.minY() + radius, radius, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(cr);
}
}  // namespace

std::vector<Rect> Compositor::paint(View& root, cairo_surface_t* target, double scale,
                                    const std::vector<Rect>& damage) {
  std::vector<Rect> painted;
  if (!target) return painted;
  double width = cairo_image_surface_get_width(target) / scale;
  double height = cairo_image_surface_get_height(target) / scale;
  Rect surfaceRect{0, 0, width, height};
  std::optional<Rect> all;
  for (const Rect& d : damage) {
    Rect clip = d.integralAtScale(scale).intersection(surfaceRect);
    if (clip.isEmpty()) continue;
    painted.push_back(clip);
    all = all ? all->unionWith(clip) : clip;
  }
  if (!all) return painted;
  cairo_t* cr = cairo_create(target);
  cairo_scale(cr, scale, scale);
  // All the damage in one pass under one clip, not rectangle by rectangle:
  // cairo rasterises a shape cut to a single clip rectangle slightly
  // differently from the same shape whole, so a view drawing straight into
  // the frame, cut into strips, would not match itself drawn at once. Under a
  // clip of several rectangles it rasterises within their bounds, which hold
  // every shape whose damage they hold.
  for (const Rect& clip : painted) {
    cairo_rectangle(cr, clip.minX(), clip.minY(), clip.width(), clip.height());
  }
  cairo_clip(cr);
  // Whatever an opaque background covers whole never shows: painting it
  // first would only be overwritten (a full-window screen over the stage
  // view over black is three passes over every damaged pixel, not one).
  if (const View* cover = opaqueCover(root, {0, 0}, *all)) {
    bool reached = false;
    paintAbove(root, *cover, cr, scale, {0, 0}, *all, reached);
  } else {
    // What nothing covers shows as black, as an empty window would.
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    paintView(root, cr, scale, {0, 0}, *all);
  }
  cairo_destroy(cr);
  cairo_surface_flush(target);
  return painted;
}

std::shared_ptr<graphics::Image> Compositor::snapshot(View& view, double scale) {
  return snapshot(view, scale, view.bounds());
}

std::shared_ptr<graphics::Image> Compositor::snapshot(View& view, double scale, Rect part) {
  Point origin = view.presentedFrame().origin;
  Rect clip{0, 0, part.width(), part.height()};
  return graphics::GraphicsContext::renderImage(part.size, scale, true, [&] {
    auto* context = graphics::GraphicsContext::current();
    if (!context) return;
    // The part's top-left corner lands on the image's.
    paintView(view, context->cairo(), scale, {-origin.x - part.minX(), -origin.y - part.minY()},
              clip);
  });
}

const View* Compositor::opaqueCover(const View& view, Point origin, const Rect& clip) {
  // A translucent or rounded view blends or cuts its whole subtree, and one
  // that does not hold the whole clip may cut its subviews: below such a view
  // nothing is sure to cover.
  if (view.isHidden() || view.presentedAlpha() < 1 || view.cornerRadius() > 0) return nullptr;
  Rect frame = view.presentedFrame();
  Rect rect{origin + frame.origin, frame.size};
  if (rect.intersection(clip) != clip) return nullptr;
  const View* cover = nullptr;
  if (const auto& bg = view.backgroundColor(); bg && bg->alpha() >= 1) cover = &view;
  // Later subviews paint over earlier ones and over their parent.
  for (const auto& child : view.subviews()) {
    if (const View* c = opaqueCover(*child, rect.origin, clip)) cover = c;
  }
  return cover;
}

void Compositor::paintAbove(View& view, const View& cover, cairo_t* cr, double scale, Point origin,
                            const Rect& clip, bool& reached) {
  if (reached) {
    paintView(view, cr, scale, origin, clip);
    return;
  }
  if (&view == &cover) {
    reached = true;
    paintView(view, cr, scale, origin, clip);
    return;
  }
  // Wholly beneath the cover: nothing of it shows.
  if (!cover.isDescendantOf(view)) return;
  // An ancestor of the cover, opaque, square and holding the whole clip (see
  // opaqueCover): its own background and content lie beneath the cover, its
  // later subviews above it.
  Rect frame = view.presentedFrame();
  Point childOrigin = origin + frame.origin;
  for (const auto& child : view.subviews()) {
    paintAbove(*child, cover, cr, scale, childOrigin, clip, reached);
  }
}

void Compositor::paintView(View& view, cairo_t* cr, double scale, Point origin, const Rect& clip) {
  if (view.isHidden()) return;
  double alpha = view.presentedAlpha();
  if (alpha <= 0) return;
  Rect frame = view.presentedFrame();
  Rect rect{origin + frame.origin, frame.size};
  // Subviews are assumed to lie within their parent, so a parent outside the
  // damage takes its subtree with it.
  if (!rect.intersects(clip)) return;

  bool group = alpha < 1;
  if (group) cairo_push_group(cr);
  bool rounded = view.cornerRadius() > 0;
  if (rounded) {
    cairo_save(cr);
    roundedRectangle(cr, rect, view.cornerRadius());
    cairo_clip(cr);
  }
  if (const auto& bg = view.backgroundColor(); bg && bg->alpha() > 0) {
    cairo_set_source_rgba(cr, bg->red(), bg->green(), bg->blue(), bg->alpha());
    cairo_rectangle(cr, rect.minX(), rect.minY(), rect.width(), rect.height());
    cairo_fill(cr);
  }
  if (view.drawsDirectly()) {
    // The view's own drawing, straight into the frame: no store to composite.
    if (view.isHovered()) cairo_push_group(cr);
    view.drawDirectly(cr, scale, rect.origin, clip);
    if (view.isHovered()) {
      // The hover effect, as for a cached view: what it drew, a shade darker.
      cairo_pattern_t* drawn = cairo_pop_group(cr);
      cairo_set_source(cr, drawn);
      cairo_paint(cr);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.14);
      cairo_mask(cr, drawn);
      cairo_pattern_destroy(drawn);
    }
  }
  auto content = view.drawsDirectly() ? nullptr : view.contentImage(scale);
  if (content) {
    Point at = rect.origin + view.contentFrame(scale).origin;
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_scale(cr, 1 / content->scale(), 1 / content->scale());
    cairo_set_source_surface(cr, content->surface(), 0, 0);
    cairo_paint(cr);
    if (view.isHovered()) {
      // The hover effect: the content itself, a shade darker.
      cairo_set_source_rgba(cr, 0, 0, 0, 0.14);
      cairo_mask_surface(cr, content->surface(), 0, 0);
    }
    cairo_restore(cr);
  } else if (view.isHovered() && !view.drawsDirectly()) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.06);
    cairo_rectangle(cr, rect.minX(), rect.minY(), rect.width(), rect.height());
    cairo_fill(cr);
  }
  if (view.clipsToBounds()) {
    cairo_save(cr);
    cairo_rectangle(cr, rect.minX(), rect.minY(), rect.width(), rect.height());
    cairo_clip(cr);
  }
  Rect childClip = view.clipsToBounds() ? clip.intersection(rect) : clip;
  for (const auto& child : view.subviews()) paintView(*child, cr, scale, rect.origin, childClip);
  if (view.clipsToBounds()) cairo_restore(cr);
  if (rounded) cairo_restore(cr);
  if (group) {
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
  }
}

}  // namespace ui
