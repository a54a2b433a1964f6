#pragma once

#include <string>
#include <vector>

#include <cairo.h>

#include "platform/foundation/Geometry.h"

namespace ui {

enum class Cursor { Arrow, Hand };

// Pixel rectangle of a presented update.
struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// What a window system gives a window: a surface of pixels to composite into and
// a way to show parts of it. The SDL peer shows a real window; the headless peer
// keeps an image for tests.
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;
  virtual foundation::Size size() const = 0;  // points
  virtual double scale() const = 0;           // pixels per point
  // The surface to draw the next frame into, size()*scale() pixels; null if none.
  virtual cairo_surface_t* beginFrame() = 0;
  virtual void present(const std::vector<PixelRect>& rects) = 0;
  virtual void setCursor(Cursor cursor) = 0;
  virtual void setTitle(const std::string& title) = 0;
  // The icon the desktop shows for the window: an ARGB32 image surface.
  virtual void setIcon(cairo_surface_t* image) { (void)image; }

  // Covers the whole screen without the desktop's frame, or goes back to the
  // window it was. The new size arrives later, reported as any resize is.
  // False when the window system refused.
  virtual bool setFullScreen(bool fullScreen) {
    (void)fullScreen;
    return false;
  }
  virtual bool isFullScreen() const { return false; }
  // While grabbed and focused, the window takes every key, the desktop's own
  // shortcuts (switching and closing windows, changing workspaces) included.
  // False when the window system cannot grab.
  virtual bool setKeyboardGrabbed(bool grabbed) {
    (void)grabbed;
    return false;
  }
  virtual bool isKeyboardGrabbed() const { return false; }
};

}  // namespace ui
