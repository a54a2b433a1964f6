#pragma once

#include <vector>

#include "platform/foundation/Geometry.h"
#include "platform/ui/View.h"

// The Connect screen's root view: draws the one line between two dots.
class ConnectBackgroundView : public ui::View {
 public:
  // Straight into the frame: a backing store would be the whole window, almost
  // all of it empty, and every press would write into pages of it never
  // touched before.
  ConnectBackgroundView() { setDrawsDirectly(true); }

  foundation::Point beginningPoint;
  foundation::Point endPoint;

  // Moves the line, redrawing only the strips the old and the new line cover:
  // the bounding box of a long diagonal would be most of the window.
  void setLine(foundation::Point beginning, foundation::Point end);

  // The line is 2 % of the window's width wide, whatever this view's width.
  void draw(foundation::Rect rect) override;

  // Rectangles that together cover every pixel a stroke of `width` from `a` to
  // `b` with square-cut ends touches, cut across the line's longer axis into
  // strips that only share edges; none for a line of no length.
  static std::vector<foundation::Rect> lineCover(foundation::Point a, foundation::Point b,
                                                 double width);

 private:
  double lineWidth() const;
  // The width the line on screen was drawn with: a resize since changes the
  // width, not the pixels already shown.
  double drawnLineWidth_ = 0;
};
