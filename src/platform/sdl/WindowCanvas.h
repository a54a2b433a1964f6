#pragma once

#include <vector>

#include <SDL.h>
#include <cairo.h>

#include "platform/ui/WindowPeer.h"

namespace sdl {

// Where a window's frames are drawn with cairo and how the damaged part of
// each is put on the screen.
class WindowCanvas {
 public:
  virtual ~WindowCanvas() = default;
  // The surface for the next frame, in the window's pixels; null when there
  // is nothing to draw into.
  virtual cairo_surface_t* begin() = 0;
  // Shows the rectangles (pixels) drawn since begin(); false when SDL refused.
  virtual bool present(const std::vector<ui::PixelRect>& rects) = 0;

 protected:
  // The parts of `rects` inside a width x height frame, the empty ones left out.
  static std::vector<SDL_Rect> visibleRects(const std::vector<ui::PixelRect>& rects, int width,
                                            int height);
};

}  // namespace sdl
