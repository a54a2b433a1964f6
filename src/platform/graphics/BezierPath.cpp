#include "platform/graphics/BezierPath.h"

#include <cairo.h>

#include <cmath>
#include <limits>

#include "platform/graphics/CairoPtr.h"
#include "platform/graphics/GraphicsContext.h"

using foundation::Point;
using foundation::Rect;

namespace graphics {

namespace {

// The control-point distance that makes a cubic quarter arc closest to a circle.
constexpr double kKappa = 0.5522847498;

Rect standardized(Rect r) {
  if (r.size.width < 0) r = {r.origin.x + r.size.width, r.origin.y, -r.size.width, r.size.height};
  if (r.size.height < 0) r = {r.origin.x, r.origin.y + r.size.height, r.size.width, -r.size.height};
  return r;
}

}  // namespace

BezierPath BezierPath::withRect(Rect rect) {
  BezierPath path;
  Rect r = standardized(rect);
  if (r.width() == 0 && r.height() == 0) return path;
  path.moveTo({r.minX(), r.minY()});
  path.lineTo({r.maxX(), r.minY()});
  path.lineTo({r.maxX(), r.maxY()});
  path.lineTo({r.minX(), r.maxY()});
  path.close();
  return path;
}

BezierPath BezierPath::withOvalInRect(Rect rect) {
  BezierPath path;
  Rect r = standardized(rect);
  if (r.isEmpty()) return path;
  double cx = r.midX(), cy = r.midY();
  double kx = r.width() / 2 * kKappa, ky = r.height() / 2 * kKappa;
  path.moveTo({r.maxX(), cy});
  path.curveTo({cx, r.maxY()}, {r.maxX(), cy + ky}, {cx + kx, r.maxY()});
  path.curveTo({r.minX(), cy}, {cx - kx, r.maxY()}, {r.minX(), cy + ky});
  path.curveTo({cx, r.minY()}, {r.minX(), cy - ky}, {cx - kx, r.minY()});
  path.curveTo({r.maxX(), cy}, {cx + kx, r.minY()}, {r.maxX(), cy - ky});
  path.close();
  return path;
}

void BezierPath::moveTo(Point p) {
  elements_.push_back({Kind::Move, {p, {}, {}}});
}
void BezierPath::lineTo(Point p) {
  elements_.push_back({Kind::Line, {p, {}, {}}});
}
void BezierPath::curveTo(Point end, Point control1, Point control2) {
  elements_.push_back({Kind::Curve, {end, control1, control2}});
}
void BezierPath::close() {
  elements_.push_back({Kind::Close, {}});
}
void BezierPath::append(const BezierPath& other) {
  elements_.insert(elements_.end(), other.elements_.begin(), other.elements_.end());
}

void BezierPath::addTo(cairo_t* cr) const {
  cairo_new_path(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (const auto& [kind, p] : elements_) {
    switch (kind) {
      case Kind::Move:
        cairo_move_to(cr, p[0].x, p[0].y);
        break;
      case Kind::Line:
        cairo_line_to(cr, p[0].x, p[0].y);
        break;
      case Kind::Curve:
        cairo_curve_to(cr, p[1].x, p[1].y, p[2].x, p[2].y, p[0].x, p[0].y);
        break;
      case Kind::Close:
        cairo_close_path(cr);
        break;
    }
  }
}

void BezierPath::setLineWidth(double width) {
  lineWidth_ = std::isfinite(width) && width > 0 ? width : 0;
}

void BezierPath::fill() const {
  auto* context = GraphicsContext::current();
  if (!context) return;
  cairo_t* cr = context->cairo();
  Color c = context->fillColor();
  cairo_save(cr);
  addTo(cr);
  cairo_set_source_rgba(cr, c.red(), c.green(), c.blue(), c.alpha());
  cairo_fill(cr);
  cairo_restore(cr);
}

void BezierPath::stroke() const {
  auto* context = GraphicsContext::current();
  if (!context) return;
  cairo_t* cr = context->cairo();
  Color c = context->strokeColor();
  static constexpr cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND,
                                                CAIRO_LINE_JOIN_BEVEL};
  static constexpr cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND,
                                              CAIRO_LINE_CAP_SQUARE};
  cairo_save(cr);
  addTo(cr);
  cairo_set_line_width(cr, lineWidth_);
  cairo_set_line_join(cr, joins[static_cast<int>(lineJoin_)]);
  cairo_set_line_cap(cr, caps[static_cast<int>(lineCap_)]);
  cairo_set_miter_limit(cr, 10);
  cairo_set_source_rgba(cr, c.red(), c.green(), c.blue(), c.alpha());
  cairo_stroke(cr);
  cairo_restore(cr);
}

void BezierPath::addClip() const {
  auto* context = GraphicsContext::current();
  if (!context) return;
  addTo(context->cairo());
  cairo_clip(context->cairo());
}

bool BezierPath::contains(Point p) const {
  if (elements_.empty()) return false;
  // in_fill needs a context but never draws; one per thread is enough.
  struct Scratch {
    SurfacePtr surface{cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1)};
    CairoPtr cr{cairo_create(surface.get())};
  };
  thread_local Scratch scratch;
  addTo(scratch.cr.get());
  bool inside = cairo_in_fill(scratch.cr.get(), p.x, p.y);
  cairo_new_path(scratch.cr.get());
  return inside;
}

Rect BezierPath::bounds() const {
  double inf = std::numeric_limits<double>::infinity();
  double x0 = inf, y0 = inf, x1 = -inf, y1 = -inf;
  for (const auto& e : elements_) {
    int count = e.kind == Kind::Curve ? 3 : e.kind == Kind::Close ? 0 : 1;
    for (int i = 0; i < count; ++i) {
      x0 = std::min(x0, e.points[i].x);
      y0 = std::min(y0, e.points[i].y);
      x1 = std::max(x1, e.points[i].x);
      y1 = std::max(y1, e.points[i].y);
    }
  }
  if (x0 > x1) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace graphics
