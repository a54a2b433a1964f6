#pragma once

#include <algorithm>
#include <cmath>

// Points as 64-bit floats, origin at the top left, y growing downwards.
namespace foundation {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
  Point operator+(const Point& o) const { return {x + o.x, y + o.y}; }
  Point operator-(const Point& o) const { return {x - o.x, y - o.y}; }
  Point operator*(double k) const { return {x * k, y * k}; }
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct EdgeInsets {
  double top = 0;
  double left = 0;
  double bottom = 0;
  double right = 0;
  friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

struct Rect {
  Point origin;
  Size size;

  Rect() = default;
  Rect(Point o, Size s) : origin(o), size(s) {}
  Rect(double x, double y, double w, double h) : origin{x, y}, size{w, h} {}

  friend bool operator==(const Rect&, const Rect&) = default;

  double minX() const { return origin.x; }
  double minY() const { return origin.y; }
  double maxX() const { return origin.x + size.width; }
  double maxY() const { return origin.y + size.height; }
  double midX() const { return origin.x + size.width / 2; }
  double midY() const { return origin.y + size.height / 2; }
  double width() const { return size.width; }
  double height() const { return size.height; }
  Point center() const { return {midX(), midY()}; }
  bool isEmpty() const { return size.width <= 0 || size.height <= 0; }

  bool contains(Point p) const {
    return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
  }
  Rect offsetBy(double dx, double dy) const {
    return {origin.x + dx, origin.y + dy, size.width, size.height};
  }
  Rect insetBy(double dx, double dy) const {
    return {origin.x + dx, origin.y + dy, size.width - 2 * dx, size.height - 2 * dy};
  }
  Rect insetBy(const EdgeInsets& e) const {
    return {origin.x + e.left, origin.y + e.top, size.width - e.left - e.right,
            size.height - e.top - e.bottom};
  }
  Rect intersection(const Rect& o) const {
    double x0 = std::max(minX(), o.minX()), y0 = std::max(minY(), o.minY());
    double x1 = std::min(maxX(), o.maxX()), y1 = std::min(maxY(), o.maxY());
    if (x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
  }
  Rect unionWith(const Rect& o) const {
    if (isEmpty()) return o;
    if (o.isEmpty()) return *this;
    double x0 = std::min(minX(), o.minX()), y0 = std::min(minY(), o.minY());
    double x1 = std::max(maxX(), o.maxX()), y1 = std::max(maxY(), o.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
  }
  bool intersects(const Rect& o) const { return !intersection(o).isEmpty(); }
  // The smallest rectangle of whole device pixels that covers this one.
  Rect integralAtScale(double scale) const {
    double x0 = std::floor(minX() * scale), y0 = std::floor(minY() * scale);
    double x1 = std::ceil(maxX() * scale), y1 = std::ceil(maxY() * scale);
    return {x0 / scale, y0 / scale, (x1 - x0) / scale, (y1 - y0) / scale};
  }
};

}  // namespace foundation
