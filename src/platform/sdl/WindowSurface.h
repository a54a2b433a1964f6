#pragma once

#include <cstdint>
#include <vector>

#include <SDL.h>
#include <cairo.h>

#include "platform/graphics/CairoPtr.h"
#include "platform/sdl/WindowCanvas.h"

namespace sdl {

// The window's own framebuffer as a cairo surface. When SDL's pixel layout is
// one cairo can draw in, cairo draws straight into it and presenting costs only
// SDL_UpdateWindowSurfaceRects; otherwise cairo draws into a buffer of ours and
// the damaged rectangles are converted into the framebuffer on present.
class WindowSurface : public WindowCanvas {
 public:
  // `window` is not owned; it must outlive this object.
  explicit WindowSurface(SDL_Window* window) : window_(window) {}

  // The surface for the next frame, fetched again when SDL replaced the
  // framebuffer (every resize does); null when SDL has none to give.
  cairo_surface_t* begin() override;
  // Shows the rectangles (pixels) drawn since begin(); false when SDL refused.
  bool present(const std::vector<ui::PixelRect>& rects) override;

 private:
  bool matches(const SDL_Surface* framebuffer) const;
  void wrap(SDL_Surface* framebuffer);

  SDL_Window* window_;
  // Owned by SDL and valid until the window's size changes; only compared and
  // used between a begin() and its present().
  SDL_Surface* framebuffer_ = nullptr;
  void* pixels_ = nullptr;
  int width_ = 0, height_ = 0, pitch_ = 0;
  std::uint32_t format_ = SDL_PIXELFORMAT_UNKNOWN;
  graphics::SurfacePtr cairo_;
  bool converted_ = false;
};

}  // namespace sdl
