#include "platform/sdl/WindowSurface.h"

#include <algorithm>
#include <optional>

namespace sdl {

namespace {

// SDL_PIXELFORMAT_RGB888 is SDL's 32-bit xRGB, the same native-endian word as
// cairo's RGB24; ARGB8888 is cairo's ARGB32, and the compositor keeps it opaque.
std::optional<cairo_format_t> cairoFormatFor(std::uint32_t sdlFormat) {
  switch (sdlFormat) {
    case SDL_PIXELFORMAT_RGB888:
      return CAIRO_FORMAT_RGB24;
    case SDL_PIXELFORMAT_ARGB8888:
      return CAIRO_FORMAT_ARGB32;
    default:
      return std::nullopt;
  }
}

}  // namespace

bool WindowSurface::matches(const SDL_Surface* framebuffer) const {
  return framebuffer == framebuffer_ && framebuffer->pixels == pixels_ &&
         framebuffer->w == width_ && framebuffer->h == height_ && framebuffer->pitch == pitch_ &&
         framebuffer->format->format == format_;
}

void WindowSurface::wrap(SDL_Surface* framebuffer) {
  cairo_.reset();
  framebuffer_ = framebuffer;
  pixels_ = framebuffer->pixels;
  width_ = framebuffer->w;
  height_ = framebuffer->h;
  pitch_ = framebuffer->pitch;
  format_ = framebuffer->format->format;
  auto format = cairoFormatFor(format_);
  converted_ = !format || SDL_MUSTLOCK(framebuffer);
  if (!converted_) {
    cairo_.reset(cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels_), *format,
                                                     width_, height_, pitch_));
    // cairo refuses some strides; drawing into our own buffer still works then.
    if (cairo_surface_status(cairo_.get()) != CAIRO_STATUS_SUCCESS) converted_ = true;
  }
  if (converted_) cairo_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_));
  if (cairo_surface_status(cairo_.get()) != CAIRO_STATUS_SUCCESS) cairo_.reset();
}

cairo_surface_t* WindowSurface::begin() {
  SDL_Surface* framebuffer = SDL_GetWindowSurface(window_);
  if (!framebuffer) {
    framebuffer_ = nullptr;
    cairo_.reset();
    return nullptr;
  }
  if (!cairo_ || !matches(framebuffer)) wrap(framebuffer);
  return cairo_.get();
}

bool WindowSurface::present(const std::vector<ui::PixelRect>& rects) {
  if (!cairo_ || !framebuffer_) return false;
  std::vector<SDL_Rect> shown = visibleRects(rects, width_, height_);
  if (shown.empty()) return true;
  if (converted_) {
    cairo_surface_flush(cairo_.get());
    const auto* source = cairo_image_surface_get_data(cairo_.get());
    int stride = cairo_image_surface_get_stride(cairo_.get());
    if (SDL_MUSTLOCK(framebuffer_) && SDL_LockSurface(framebuffer_) != 0) return false;
    int bytes = framebuffer_->format->BytesPerPixel;
    auto* target = static_cast<unsigned char*>(framebuffer_->pixels);
    for (const auto& r : shown) {
      SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_RGB888, source + r.y * stride + r.x * 4, stride,
                        format_, target + r.y * pitch_ + r.x * bytes, pitch_);
    }
    if (SDL_MUSTLOCK(framebuffer_)) SDL_UnlockSurface(framebuffer_);
  }
  return SDL_UpdateWindowSurfaceRects(window_, shown.data(), static_cast<int>(shown.size())) == 0;
}

}  // namespace sdl
