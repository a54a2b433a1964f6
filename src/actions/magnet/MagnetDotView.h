#pragma once

#include "shared/DraggableDotView.h"

// The Magnet action's dot: a touch lets the spring go; a pan drags it, and
// on release the spring takes hold again.
class MagnetDotView : public DraggableDotView {
 public:
  using DraggableDotView::DraggableDotView;

 protected:
  void touched() override;
  void dragEnded(ui::PanGestureRecognizer& pan) override;
};
