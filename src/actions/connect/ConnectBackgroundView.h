#pragma once

#include "platform/foundation/Geometry.h"
#include "platform/ui/View.h"

// The Connect screen's root view: draws the one line between two dots.
class ConnectBackgroundView : public ui::View {
 public:
  ConnectBackgroundView() { setDrawsContent(true); }

  foundation::Point beginningPoint;
  foundation::Point endPoint;

  // The line is 2 % of the window's width wide, whatever this view's width.
  void draw(foundation::Rect rect) override;
};
