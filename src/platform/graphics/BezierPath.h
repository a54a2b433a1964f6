#pragma once

#include <cairo.h>

#include <array>
#include <vector>

#include "platform/foundation/Geometry.h"

namespace graphics {

// A vector path in points, kept as its own list of elements so that it can be
// copied, stored in a view and replayed into whichever context draws it.
// Filling, clipping and hit testing use the non-zero winding rule. As in
// cairo, a line or curve with no current point starts where it is drawn to.
class BezierPath {
 public:
  enum class LineJoin { Miter, Round, Bevel };
  enum class LineCap { Butt, Round, Square };

  // Starts at the top-left corner and runs clockwise on screen. A rectangle
  // with no width and no height gives an empty path; one with a single zero
  // side is a degenerate outline that strokes as a line.
  static BezierPath withRect(foundation::Rect rect);
  // Four cubic arcs from the right-most point, clockwise on screen; an empty
  // rectangle gives an empty path.
  static BezierPath withOvalInRect(foundation::Rect rect);

  void moveTo(foundation::Point p);
  void lineTo(foundation::Point p);
  void curveTo(foundation::Point end, foundation::Point control1, foundation::Point control2);
  void close();
  void append(const BezierPath& other);

  double lineWidth() const { return lineWidth_; }
  void setLineWidth(double width);  // negative or non-finite widths become 0
  LineJoin lineJoin() const { return lineJoin_; }
  void setLineJoin(LineJoin join) { lineJoin_ = join; }
  void setLineCap(LineCap cap) { lineCap_ = cap; }

  // In GraphicsContext::current(), with its fill or stroke colour; nothing
  // happens without a current context. addClip() narrows the clip until the
  // context's enclosing Scope ends.
  void fill() const;
  void stroke() const;
  void addClip() const;

  bool contains(foundation::Point p) const;
  // The box around every point of the path, control points included.
  foundation::Rect bounds() const;
  bool isEmpty() const { return elements_.empty(); }

 private:
  enum class Kind { Move, Line, Curve, Close };
  struct Element {
    Kind kind;
    std::array<foundation::Point, 3> points;  // end point, then controls
  };

  // cairo keeps no path between uses, so every use rebuilds it.
  void addTo(cairo_t* cr) const;

  std::vector<Element> elements_;
  double lineWidth_ = 1.0;
  LineJoin lineJoin_ = LineJoin::Miter;
  LineCap lineCap_ = LineCap::Butt;
};

}  // namespace graphics
