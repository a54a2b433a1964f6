#pragma once

#include <memory>
#include <vector>

#include <SDL.h>

#include "platform/graphics/CairoPtr.h"
#include "platform/sdl/WindowCanvas.h"

struct wl_display;
struct wl_event_queue;
struct wl_shm;
struct wl_surface;

namespace sdl {

// SDL 2.26 has no window framebuffer on Wayland, so we give the compositor
// shared-memory buffers of our own, attached to SDL's surface: cairo draws
// straight into the buffer, and only the damaged rectangles are copied and
// reported. A buffer the compositor still reads is never drawn into; a free
// one is first brought up to date from the one shown last, in the rectangles
// drawn since it was itself shown. There is no GPU anywhere on this path.
//
// Our Wayland objects live on an event queue of our own, so that SDL's event
// pump reads their events and leaves them to us.
class WaylandCanvas : public WindowCanvas {
 public:
  // Null when the window is not on Wayland or the compositor offers no
  // shared memory. `window` is not owned; it must outlive the canvas.
  static std::unique_ptr<WaylandCanvas> create(SDL_Window* window);

  struct Token {};
  WaylandCanvas(Token, SDL_Window* window, wl_display* display, wl_surface* surface,
                wl_event_queue* queue);
  ~WaylandCanvas() override;
  WaylandCanvas(const WaylandCanvas&) = delete;
  WaylandCanvas& operator=(const WaylandCanvas&) = delete;

  cairo_surface_t* begin() override;
  bool present(const std::vector<ui::PixelRect>& rects) override;

  // One shared-memory buffer as the compositor and cairo see it.
  struct Buffer;

 private:
  bool bindSharedMemory();
  Buffer* freeBuffer();
  std::unique_ptr<Buffer> makeBuffer();

  SDL_Window* window_;
  // SDL's, valid as long as the window is.
  wl_display* display_;
  wl_surface* surface_;
  wl_event_queue* queue_;
  wl_shm* shm_ = nullptr;
  int width_ = 0, height_ = 0;
  std::vector<std::unique_ptr<Buffer>> buffers_;
  Buffer* drawing_ = nullptr;  // between begin() and present()
  Buffer* shown_ = nullptr;    // the latest one committed: the whole window as it is
};

}  // namespace sdl
