#pragma once

#include <deque>

#include "platform/foundation/Geometry.h"
#include "platform/ui/GestureRecognizer.h"

namespace ui {

// A dragging finger. It begins once the touch has moved more than
// kMovementThreshold from where it went down; translation is measured from
// touch-down, so it is not zero when the gesture begins. Velocity is the
// displacement over the last kVelocityWindow of movement, from the touches'
// own timestamps (the run loop's clock).
class PanGestureRecognizer : public GestureRecognizer {
 public:
  // The platform does not document its threshold; ours, in points.
  static constexpr double kMovementThreshold = 10;
  // Long enough to smooth jittery input, short enough to follow a flick.
  static constexpr double kVelocityWindow = 0.1;

  foundation::Point translationInView(const View* view) const;
  // Points per second; zero before any movement.
  foundation::Point velocityInView(const View* view) const;

  void touchesBegan(const TouchSet& touches) override;
  void touchesMoved(const TouchSet& touches) override;
  void touchesEnded(const TouchSet& touches) override;
  void touchesCancelled(const TouchSet& touches) override;

 protected:
  void reset() override;

 private:
  struct Sample {
    double time;
    foundation::Point location;  // window points
  };
  bool isTracked(const TouchSet& touches) const;
  void record();

  std::shared_ptr<Touch> touch_;
  foundation::Point start_;  // window points
  std::deque<Sample> samples_;
};

}  // namespace ui
