#pragma once

#include <variant>

#include "platform/ui/Event.h"

namespace sdl {

// What the window system can tell the application, in the platform's own
// terms: input for the key window, and the lifecycle of the process and window.
struct QuitRequested {};
struct WindowResized {};
struct WindowExposed {};
struct FocusGained {};
struct FocusLost {};
struct WindowMinimized {};
struct WindowRestored {};

using InputEvent =
    std::variant<ui::TouchEvent, ui::PointerEvent, ui::KeyEvent, QuitRequested, WindowResized,
                 WindowExposed, FocusGained, FocusLost, WindowMinimized, WindowRestored>;

}  // namespace sdl
