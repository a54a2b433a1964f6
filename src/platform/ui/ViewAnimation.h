#pragma once

#include <functional>
#include <memory>

namespace ui {

class View;

// Completion bookkeeping of one animate() call: it finishes once every property
// animation it started has ended, and reports whether all of them ran to the end.
struct AnimationGroup {
  std::function<void(bool finished)> completion;
  int pending = 0;
  bool finished = true;
  void end(bool ranToEnd);
};

// Block-based view animation. Properties set inside `animations` take their new
// model value at once; what is shown moves there on the ease-in-out curve.
// A newer animation of the same property adds to the older one, which still
// finishes with true. The completion runs once, on the main loop, never within
// the call.
class ViewAnimation {
 public:
  static void animate(double duration, const std::function<void()>& animations,
                      std::function<void(bool finished)> completion = nullptr);

  // Inside an animations block: the group that property setters join, else null.
  static std::shared_ptr<AnimationGroup> currentGroup();
  static double currentDuration();
  // A view that started animating; it is stepped once per frame until done.
  static void track(const std::shared_ptr<View>& view);

  // The platform's default curve: cubic Bézier (0.42, 0), (0.58, 1).
  static double easeInOut(double t);
};

}  // namespace ui
