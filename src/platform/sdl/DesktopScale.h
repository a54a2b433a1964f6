#pragma once

#include <optional>

struct SDL_Window;

namespace sdl {

// SDL on X11 makes windows in pixels and knows nothing of the desktop's scale,
// so we read it where the desktop publishes it: Xft.dpi in the X resources
// (96 dpi is 1), else the GDK_SCALE environment variable, else 1; always
// within [1, 4]. nullopt when the window is not on X11 (other drivers report
// their own pixel ratio).
std::optional<double> x11DesktopScale(SDL_Window* window);

// The parts, apart for testing.
std::optional<double> scaleFromXResources(const char* resources);
std::optional<double> scaleFromGdkScale(const char* value);
double clampScale(double scale);

}  // namespace sdl
