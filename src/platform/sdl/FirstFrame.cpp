#include "platform/sdl/FirstFrame.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace sdl {

namespace {

// The frame as the window's background pixmap; false when it cannot be.
bool setBackground(Display* display, Window window, cairo_surface_t* frame) {
  if (!frame || cairo_surface_get_type(frame) != CAIRO_SURFACE_TYPE_IMAGE) return false;
  auto format = cairo_image_surface_get_format(frame);
  if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32) return false;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.depth < 24) return false;
  int width = cairo_image_surface_get_width(frame);
  int height = cairo_image_surface_get_height(frame);
  if (width != attributes.width || height != attributes.height) return false;
  cairo_surface_flush(frame);
  // cairo's native 32-bit xRGB words are a 24-bit TrueColor visual's pixels.
  XImage* image = XCreateImage(
      display, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0,
      reinterpret_cast<char*>(cairo_image_surface_get_data(frame)), static_cast<unsigned>(width),
      static_cast<unsigned>(height), 32, cairo_image_surface_get_stride(frame));
  if (!image) return false;
  bool fits = image->bits_per_pixel == 32 && image->red_mask == 0xff0000 &&
              image->green_mask == 0xff00 && image->blue_mask == 0xff;
  if (fits) {
    Pixmap pixmap =
        XCreatePixmap(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height),
                      static_cast<unsigned>(attributes.depth));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(display, gc);
    // The window keeps the pixmap while it is its background.
    XSetWindowBackgroundPixmap(display, window, pixmap);
    XFreePixmap(display, pixmap);
  }
  image->data = nullptr;  // cairo's
  XDestroyImage(image);
  return fits;
}

}  // namespace

void showWindowWithFirstFrame(SDL_Window* window, cairo_surface_t* frame) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  bool x11 = SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
  bool background = x11 && setBackground(info.info.x11.display, info.info.x11.window, frame);
  // SDL returns once the server has mapped the window, and the server paints
  // the background as it maps.
  SDL_ShowWindow(window);
  if (!background) return;
  // From now on the program draws every picture; a background would only be
  // a stale one shown before them, and the pixmap costs the server memory.
  XSetWindowBackgroundPixmap(info.info.x11.display, info.info.x11.window, None);
  XFlush(info.info.x11.display);
}

}  // namespace sdl
