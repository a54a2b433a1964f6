#pragma once

#include <cstdint>
#include <memory>

#include "platform/ui/Control.h"

namespace ui {

// The platform's on/off switch: a rounded track, green when on, and a white
// knob that slides across it, to the right to turn on (to the left when the
// interface reads right to left). A completed tap flips it and sends ValueChanged
// once; setOn() from code sends nothing.
class Switch : public Control {
 public:
  static constexpr foundation::Size kSize{51, 31};
  static constexpr double kToggleDuration = 0.2;  // seconds for the knob to cross

  Switch() : Switch(foundation::Point{}) {}
  explicit Switch(foundation::Point origin);

  bool isOn() const { return on_; }
  void setOn(bool on, bool animated);
  // What a completed tap does: flips the switch, animated, and sends ValueChanged.
  void toggle();
  // Where the knob is shown now: 0 at the off end, 1 at the on end.
  double knobPosition() const { return knob_; }

  void draw(foundation::Rect rect) override;

 protected:
  void tapCompleted() override;

 private:
  void followFrames();
  bool stepKnob(double now);  // false once the knob has arrived

  bool on_ = false;
  double knob_ = 0;
  double knobFrom_ = 0;
  double moveStart_ = 0;
  bool moving_ = false;
  std::uint64_t frameLoop_ = 0;  // the loop whose frames move the knob, 0 when none
};

}  // namespace ui
