#pragma once

#include "platform/ui/GestureRecognizer.h"
#include "shared/App.h"
#include "shared/DotView.h"

// The Swipe action's dot: braked and highlighted while touched, dragged by a
// pan and flung with the pan's release velocity.
class SwipeDotView : public DotView {
 public:
  using DotView::DotView;

  // The dot's centre when the current pan began.
  double firstX = 20;
  double firstY = 20;
  graphics::Color swipeDotColor = App::baseColor();

  void highlight(const Sender& sender);
  void reset(const Sender& sender);
  void handleGesture(const ui::GestureRecognizer::Sender& recognizer);

 protected:
  void didCreate() override;
};
