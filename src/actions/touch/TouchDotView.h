#pragma once

#include "shared/DotView.h"

// The Touch action's dot: highlighted while held, recoloured when let go, and a
// completed tap asks its screen to move it.
class TouchDotView : public DotView {
 public:
  using DotView::DotView;

  void highlight(const Sender& sender);
  void pressed(const Sender& sender);
  void reset(const Sender& sender);

 protected:
  void didCreate() override;
};
