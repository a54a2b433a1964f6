#pragma once

#include <memory>
#include <optional>

#include <SDL.h>

#include "platform/sdl/EventTranslator.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/WindowCanvas.h"
#include "platform/ui/WindowPeer.h"

namespace sdl {

// A real window. The compositor paints with cairo straight into the window's
// framebuffer and only the damaged rectangles are shown (see Compositor.h for
// why there is no SDL_Renderer and no GL): SDL's shared-memory framebuffer on
// X11, buffers of our own on Wayland, where SDL 2.26 has none.
class SdlWindowPeer : public ui::WindowPeer {
 public:
  struct WindowRelease {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
  };
  using WindowPtr = std::unique_ptr<SDL_Window, WindowRelease>;

  // `desktopScale`: pixels per point when the window system leaves scaling to
  // us (X11); nullopt when SDL's window coordinates are points already and the
  // pixel ratio comes from SDL (Wayland).
  SdlWindowPeer(std::shared_ptr<SdlVideo> video, WindowPtr window,
                std::optional<double> desktopScale);

  // Whether frames can be drawn at all; SDL's reason in SDL_GetError if not.
  bool canDraw() const { return canvas_ != nullptr; }

  SDL_Window* sdlWindow() const { return window_.get(); }
  WindowGeometry geometry() const;

  foundation::Size size() const override;
  double scale() const override;
  cairo_surface_t* beginFrame() override;
  void present(const std::vector<ui::PixelRect>& rects) override;
  void setCursor(ui::Cursor cursor) override;
  void setTitle(const std::string& title) override;
  void setIcon(cairo_surface_t* image) override;
  // The desktop's full screen, not a change of video mode.
  bool setFullScreen(bool fullScreen) override;
  bool isFullScreen() const override;
  // Through SDL's grab, which holds only while the window has the focus and
  // is taken again when it comes back.
  bool setKeyboardGrabbed(bool grabbed) override;
  bool isKeyboardGrabbed() const override;

 private:
  struct CursorRelease {
    void operator()(SDL_Cursor* cursor) const { SDL_FreeCursor(cursor); }
  };
  using CursorPtr = std::unique_ptr<SDL_Cursor, CursorRelease>;

  // Declared first so that SDL outlives the window, and the window its canvas and cursors.
  std::shared_ptr<SdlVideo> video_;
  WindowPtr window_;
  std::unique_ptr<WindowCanvas> canvas_;
  std::optional<double> desktopScale_;
  CursorPtr arrow_;
  CursorPtr hand_;
  std::optional<ui::Cursor> cursor_;
  bool shown_ = false;
  cairo_surface_t* frame_ = nullptr;  // what beginFrame() handed out, the canvas's
};

}  // namespace sdl
