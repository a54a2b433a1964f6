#pragma once

#include "platform/ui/GestureRecognizer.h"
#include "shared/App.h"
#include "shared/DotView.h"

// The Magnet action's dot: a touch lets the spring go; a pan drags it, and
// on release the spring takes hold again.
class MagnetDotView : public DotView {
 public:
  using DotView::DotView;

  // The dot's centre when the current pan began.
  double firstX = 0;
  double firstY = 0;
  graphics::Color magnetDotColor = App::baseColor();

  void highlight(const Sender& sender);
  void reset(const Sender& sender);
  void handleGesture(const ui::GestureRecognizer::Sender& recognizer);

 protected:
  void didCreate() override;
};
