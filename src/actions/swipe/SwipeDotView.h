#pragma once

#include "shared/DraggableDotView.h"

// The Swipe action's dot: braked while touched or dragged, and flung with the
// pan's release velocity.
class SwipeDotView : public DraggableDotView {
 public:
  using DraggableDotView::DraggableDotView;

 protected:
  void touched() override;
  void dragWillBegin() override;
  void dragWillMove() override;
  void dragEnded(ui::PanGestureRecognizer& pan) override;
};
