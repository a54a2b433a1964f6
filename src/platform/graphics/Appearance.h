#pragma once

namespace graphics {

// The process-wide light or dark appearance. System colours resolve against
// it each time they are asked for, so a change shows at the next redraw.
// Safe to read and set from any thread.
class Appearance {
 public:
  enum class Style { Light, Dark };

  static Style current();
  static void setCurrent(Style style);
};

}  // namespace graphics
