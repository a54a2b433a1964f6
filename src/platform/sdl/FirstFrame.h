#pragma once

#include <cairo.h>

struct SDL_Window;

namespace sdl {

// Shows a hidden window with `frame` (the window's first composited picture,
// its pixels the framebuffer's) already in it. X clears a window it maps to
// the window's background before the program can put anything there, so on
// X11 the frame is made the background for the moment of the mapping: the
// first picture anybody sees is the content, not a blank rectangle. Elsewhere,
// or when the frame does not fit the window's visual, it just shows it.
void showWindowWithFirstFrame(SDL_Window* window, cairo_surface_t* frame);

}  // namespace sdl
