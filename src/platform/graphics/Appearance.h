#pragma once

#include <functional>

namespace graphics {

// The process-wide light or dark appearance. System colours resolve against
// it each time they are asked for, so a change shows at the next redraw.
// Safe to read and set from any thread.
//
// They resolve at a level too: content presented over other content (a sheet,
// an alert) is elevated, and there the dark backgrounds lift a step so that it
// stands out from the dimmed screen behind it; light is the same at both
// levels. The level belongs to the thread: the base level unless a caller
// asks for another for a while, as a view does while it draws or takes its
// colours again.
class Appearance {
 public:
  enum class Style { Light, Dark };
  enum class Level { Base, Elevated };

  static Style current();
  static void setCurrent(Style style);

  static Level currentLevel();
  // Runs `body` with system colours resolving at `level` on this thread; the
  // level before is back afterwards.
  static void performAtLevel(Level level, const std::function<void()>& body);
};

}  // namespace graphics
