#pragma once

#include <variant>

#include "platform/ui/Event.h"

namespace sdl {

// What the window system can tell the application, in the platform's own
// terms: input for the key window, and the lifecycle of the process and window.

// The process was asked to end (SIGTERM, SIGINT): it does.
struct QuitRequested {};
// The window's close button, or the desktop's shortcut for it: the
// application may decline.
struct CloseRequested {};
struct WindowResized {};
struct WindowExposed {};
struct FocusGained {};
struct FocusLost {};
struct WindowMinimized {};
struct WindowRestored {};

using InputEvent = std::variant<ui::TouchEvent, ui::PointerEvent, ui::KeyEvent, QuitRequested,
                                CloseRequested, WindowResized, WindowExposed, FocusGained,
                                FocusLost, WindowMinimized, WindowRestored>;

}  // namespace sdl
