#include "platform/sdl/SdlWindowPeer.h"

namespace sdl {

SdlWindowPeer::SdlWindowPeer(std::shared_ptr<SdlVideo> video, WindowPtr window,
                             std::optional<double> desktopScale)
    : video_(std::move(video)),
      window_(std::move(window)),
      surface_(window_.get()),
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
  return surface_.begin();
}

void SdlWindowPeer::present(const std::vector<ui::PixelRect>& rects) {
  // SDL refuses only a framebuffer that a resize has replaced, and a resize
  // repaints the whole window anyway.
  surface_.present(rects);
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

void SdlWindowPeer::setTitle(const std::string& title) {
  SDL_SetWindowTitle(window_.get(), title.c_str());
}

}  // namespace sdl
