#pragma once

#include <optional>

#include <SDL.h>

#include "platform/foundation/Geometry.h"
#include "platform/sdl/InputEvent.h"

namespace sdl {

// What translation needs to know of the window an event belongs to.
struct WindowGeometry {
  foundation::Size size;     // points
  double unitsPerPoint = 1;  // SDL window coordinates per point (pixels per point on X11)
};

// One SDL event in the platform's terms, or nothing when the application has no
// use for it. Pure: `timestamp` is the run loop's clock at delivery, so that
// every touch is timed on the clock animations and recognisers read.
std::optional<InputEvent> translate(const SDL_Event& event, const WindowGeometry& window,
                                    double timestamp);

}  // namespace sdl
