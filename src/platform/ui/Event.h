#pragma once

#include <cstdint>
#include <string>

#include "platform/foundation/Geometry.h"

// The neutral input events the window system backend translates into.
namespace ui {

enum class TouchPhase { Began, Moved, Ended, Cancelled };

struct TouchEvent {
  std::int64_t id = 0;  // stable for one finger (or the mouse) from down to up
  TouchPhase phase = TouchPhase::Began;
  foundation::Point location;  // window points
  double timestamp = 0;        // run-loop seconds
};

// Where a pointer without a pressed button rests; `inside` false when it left the window.
struct PointerEvent {
  foundation::Point location;
  bool inside = true;
};

// F11 is the one function key with a meaning on every desktop (full screen);
// the others arrive as Other.
enum class Key { Other, Up, Down, Left, Right, Return, Space, Escape, Tab, F11, Character };

namespace Modifier {
constexpr unsigned Shift = 1 << 0;
constexpr unsigned Control = 1 << 1;
constexpr unsigned Alternate = 1 << 2;
// The platform's command key: the Command key on a Mac, Control elsewhere.
constexpr unsigned Command = 1 << 3;
}  // namespace Modifier

struct KeyEvent {
  Key key = Key::Other;
  std::string input;  // lower-case character for Key::Character
  unsigned modifiers = 0;
  bool repeat = false;
};

}  // namespace ui
