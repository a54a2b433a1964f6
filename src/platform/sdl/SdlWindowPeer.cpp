#include "platform/sdl/SdlWindowPeer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/sdl/FirstFrame.h"
#include "platform/sdl/WaylandCanvas.h"
#include "platform/sdl/WindowSurface.h"

namespace sdl {

namespace {

// SDL's own framebuffer where the driver has one (X11); SDL 2.26's Wayland
// driver has none, and we give the compositor buffers ourselves.
std::unique_ptr<WindowCanvas> canvasFor(SDL_Window* window) {
  if (auto wayland = WaylandCanvas::create(window)) return wayland;
  if (SDL_GetWindowSurface(window)) return std::make_unique<WindowSurface>(window);
  return nullptr;
}

}  // namespace

SdlWindowPeer::SdlWindowPeer(std::shared_ptr<SdlVideo> video, WindowPtr window,
                             std::optional<double> desktopScale)
    : video_(std::move(video)),
      window_(std::move(window)),
      canvas_(canvasFor(window_.get())),
      desktopScale_(desktopScale) {}

foundation::Size SdlWindowPeer::size() const {
  int w = 0, h = 0;
  if (desktopScale_) {
    SDL_GetWindowSizeInPixels(window_.get(), &w, &h);
    return {w / *desktopScale_, h / *desktopScale_};
  }
  SDL_GetWindowSize(window_.get(), &w, &h);
  return {static_cast<double>(w), static_cast<double>(h)};
}

double SdlWindowPeer::scale() const {
  if (desktopScale_) return *desktopScale_;
  int points = 0, pixels = 0, h = 0;
  SDL_GetWindowSize(window_.get(), &points, &h);
  SDL_GetWindowSizeInPixels(window_.get(), &pixels, &h);
  return points > 0 && pixels > 0 ? static_cast<double>(pixels) / points : 1.0;
}

WindowGeometry SdlWindowPeer::geometry() const {
  return {size(), desktopScale_.value_or(1)};
}

cairo_surface_t* SdlWindowPeer::beginFrame() {
  frame_ = canvas_ ? canvas_->begin() : nullptr;
  return frame_;
}

void SdlWindowPeer::present(const std::vector<ui::PixelRect>& rects) {
  // The window appears with its first picture in it (made hidden, see SdlBackend).
  if (!shown_) {
    shown_ = true;
    showWindowWithFirstFrame(window_.get(), frame_);
  }
  // SDL refuses only a framebuffer that a resize has replaced, and a resize
  // repaints the whole window anyway.
  if (canvas_) canvas_->present(rects);
}

void SdlWindowPeer::setCursor(ui::Cursor cursor) {
  if (cursor_ == cursor) return;
  CursorPtr& slot = cursor == ui::Cursor::Hand ? hand_ : arrow_;
  if (!slot) {
    slot.reset(SDL_CreateSystemCursor(cursor == ui::Cursor::Hand ? SDL_SYSTEM_CURSOR_HAND
                                                                 : SDL_SYSTEM_CURSOR_ARROW));
  }
  if (!slot) return;
  SDL_SetCursor(slot.get());
  cursor_ = cursor;
}

void SdlWindowPeer::setIcon(cairo_surface_t* image) {
  if (!image || cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32) return;
  cairo_surface_flush(image);
  int width = cairo_image_surface_get_width(image);
  int height = cairo_image_surface_get_height(image);
  int stride = cairo_image_surface_get_stride(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  // cairo keeps premultiplied alpha; the icon wants it straight.
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) {
      std::uint32_t p = row[x];
      std::uint32_t a = p >> 24;
      auto channel = [&](int shift) -> std::uint32_t {
        std::uint32_t c = (p >> shift) & 0xff;
        return a == 0 ? 0 : std::min<std::uint32_t>(255, (c * 255 + a / 2) / a);
      };
      pixels[static_cast<std::size_t>(y) * width + x] =
          (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
    }
  }
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32,
                                                         width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  SDL_SetWindowIcon(window_.get(), icon);
  SDL_FreeSurface(icon);
}

bool SdlWindowPeer::setFullScreen(bool fullScreen) {
  return SDL_SetWindowFullscreen(window_.get(), fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) ==
         0;
}

bool SdlWindowPeer::isFullScreen() const {
  return (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN) != 0;
}

bool SdlWindowPeer::setKeyboardGrabbed(bool grabbed) {
  SDL_SetWindowKeyboardGrab(window_.get(), grabbed ? SDL_TRUE : SDL_FALSE);
  return isKeyboardGrabbed() == grabbed;
}

bool SdlWindowPeer::isKeyboardGrabbed() const {
  // The request, which SDL keeps while the grab itself waits for the focus.
  return (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_KEYBOARD_GRABBED) != 0;
}

void SdlWindowPeer::setTitle(const std::string& title) {
  SDL_SetWindowTitle(window_.get(), title.c_str());
}

}  // namespace sdl
