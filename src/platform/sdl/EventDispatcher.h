#pragma once

#include "platform/sdl/InputEvent.h"

namespace ui {
class Application;
}

namespace sdl {

// Hands one translated event to the application: input to its key window (when
// there is one), lifecycle to the application itself.
void dispatch(const InputEvent& event, ui::Application& app);

}  // namespace sdl
