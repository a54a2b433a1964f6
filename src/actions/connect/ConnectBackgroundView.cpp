#include "actions/connect/ConnectBackgroundView.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/graphics/BezierPath.h"
#include "shared/App.h"

using foundation::Point;
using foundation::Rect;

namespace {
// A strip's height across the line is about three times the line's reach from
// its centre; a long diagonal gets at most this many.
constexpr int kMaxStrips = 24;
}  // namespace

double ConnectBackgroundView::lineWidth() const {
  return App::windowWidth() * 0.02;
}

void ConnectBackgroundView::setLine(Point beginning, Point end) {
  double width = std::max(drawnLineWidth_, lineWidth());
  for (const Rect& r : lineCover(beginningPoint, endPoint, width)) setNeedsDisplayInRect(r);
  beginningPoint = beginning;
  endPoint = end;
  for (const Rect& r : lineCover(beginningPoint, endPoint, lineWidth())) setNeedsDisplayInRect(r);
}

void ConnectBackgroundView::draw(Rect rect) {
  ui::View::draw(rect);
  drawnLineWidth_ = lineWidth();
  graphics::BezierPath path;
  path.moveTo(beginningPoint);
  path.lineTo(endPoint);
  path.setLineWidth(drawnLineWidth_);
  App::baseColor().setStroke();
  path.stroke();
}

std::vector<Rect> ConnectBackgroundView::lineCover(Point a, Point b, double width) {
  std::vector<Rect> cover;
  double length = std::hypot(b.x - a.x, b.y - a.y);
  if (!(length > 0) || !(width > 0)) return cover;
  // u runs along the longer axis, v across it.
  bool wide = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
  Point from = wide ? a : Point{a.y, a.x};
  Point to = wide ? b : Point{b.y, b.x};
  if (from.x > to.x) std::swap(from, to);
  double du = to.x - from.x, dv = to.y - from.y;
  double half = width / 2;
  // The square-cut ends reach past the end points along u; across, the stroke
  // reaches this far either side of the centre line. One point more for the
  // anti-aliased edge.
  double reachU = half * std::abs(dv) / length + 1;
  double reachV = half * length / du + 1;
  double u0 = std::floor(from.x - reachU), u1 = std::ceil(to.x + reachU);
  auto strips = static_cast<int>(
      std::clamp(std::ceil(std::abs(dv) / reachV), 1.0, static_cast<double>(kMaxStrips)));
  // Beyond the end points the centre line's extension still bounds the ends.
  auto vAt = [&](double u) { return from.y + (u - from.x) * dv / du; };
  double start = u0;
  for (int i = 1; i <= strips; ++i) {
    double stop = i == strips ? u1 : std::round(u0 + (u1 - u0) * i / strips);
    double v0 = std::min(vAt(start), vAt(stop)) - reachV;
    double v1 = std::max(vAt(start), vAt(stop)) + reachV;
    cover.push_back(wide ? Rect{start, v0, stop - start, v1 - v0}
                         : Rect{v0, start, v1 - v0, stop - start});
    start = stop;
  }
  return cover;
}
