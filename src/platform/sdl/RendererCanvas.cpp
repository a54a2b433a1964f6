#include "platform/sdl/RendererCanvas.h"

#include <algorithm>

namespace sdl {

std::unique_ptr<RendererCanvas> RendererCanvas::create(SDL_Window* window) {
  // No vsync: the run loop paces frames itself, and a present must never wait
  // for a compositor that is not showing the window.
  std::unique_ptr<SDL_Renderer, RendererRelease> renderer(SDL_CreateRenderer(window, -1, 0));
  if (!renderer) return nullptr;
  return std::make_unique<RendererCanvas>(std::move(renderer));
}

cairo_surface_t* RendererCanvas::begin() {
  int width = 0, height = 0;
  if (SDL_GetRendererOutputSize(renderer_.get(), &width, &height) != 0 || width <= 0 ||
      height <= 0) {
    return nullptr;
  }
  if (cairo_ && texture_ && width == width_ && height == height_) return cairo_.get();
  cairo_.reset();
  // Static, not streaming: a streaming texture keeps one more copy of the
  // window in memory for locking, which we never do.
  // SDL_PIXELFORMAT_RGB888 is cairo's RGB24: the rows copy as they are.
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888,
                                   SDL_TEXTUREACCESS_STATIC, width, height));
  if (!texture_) return nullptr;
  graphics::SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_ = std::move(surface);
  width_ = width;
  height_ = height;
  return cairo_.get();
}

bool RendererCanvas::present(const std::vector<ui::PixelRect>& rects) {
  if (!cairo_ || !texture_) return false;
  cairo_surface_flush(cairo_.get());
  const auto* pixels = cairo_image_surface_get_data(cairo_.get());
  int stride = cairo_image_surface_get_stride(cairo_.get());
  bool updated = false;
  for (const auto& r : rects) {
    int x0 = std::clamp(r.x, 0, width_), y0 = std::clamp(r.y, 0, height_);
    int x1 = std::clamp(r.x + r.width, 0, width_), y1 = std::clamp(r.y + r.height, 0, height_);
    if (x1 <= x0 || y1 <= y0) continue;
    SDL_Rect area{x0, y0, x1 - x0, y1 - y0};
    if (SDL_UpdateTexture(texture_.get(), &area, pixels + y0 * stride + x0 * 4, stride) != 0) {
      return false;
    }
    updated = true;
  }
  if (!updated) return true;
  // The window's back buffer holds nothing after a swap: the whole texture is
  // drawn every time, though only the damage was uploaded.
  if (SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr) != 0) return false;
  SDL_RenderPresent(renderer_.get());
  return true;
}

}  // namespace sdl
