#pragma once

#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "shared/App.h"
#include "shared/DotView.h"

// A dot that a pan drags within the screen's drag bounds, highlighted while
// touched. What the screen's dynamics do at each step is the subclass's.
class DraggableDotView : public DotView {
 public:
  using DotView::DotView;

  // The dot's centre when the current pan began.
  foundation::Point dragStart;
  // The colour the dot returns to once let go.
  graphics::Color restingColor = App::baseColor();

  void highlight(const Sender& sender);
  void reset(const Sender& sender);
  void handleGesture(const ui::GestureRecognizer::Sender& recognizer);

 protected:
  void didCreate() override;

  // A touch landed on the dot (and every pan begins with one).
  virtual void touched() {}
  // Before the dot is highlighted for a pan that has just begun.
  virtual void dragWillBegin() {}
  // Before the dot follows the pan.
  virtual void dragWillMove() {}
  // The pan let go; the dot takes its resting colour afterwards.
  virtual void dragEnded(ui::PanGestureRecognizer& pan) { (void)pan; }
  // Puts the dot where the pan's translation takes it from dragStart.
  void followDrag(ui::PanGestureRecognizer& pan);
};
