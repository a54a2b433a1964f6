#include "platform/sdl/WaylandCanvas.h"

#include <SDL_syswm.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace sdl {

struct WaylandCanvas::Buffer {
  Buffer() = default;
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;
  ~Buffer() {
    cairo.reset();
    if (buffer) wl_buffer_destroy(buffer);
    if (pixels != MAP_FAILED) munmap(pixels, bytes);
  }

  wl_buffer* buffer = nullptr;
  void* pixels = MAP_FAILED;
  std::size_t bytes = 0;
  int stride = 0;
  bool busy = false;  // attached, and not yet released by the compositor
  // What was drawn into the other buffers since this one was shown.
  std::vector<SDL_Rect> stale;
  graphics::SurfacePtr cairo;
};

namespace {

// One on screen, one the compositor may still be reading, one to draw in.
constexpr std::size_t kMaxBuffers = 3;
// Past this many stale rectangles a buffer is simply brought up to date whole.
constexpr std::size_t kMaxStaleRects = 32;
// Waits for the compositor to let a buffer go before a frame is given up.
constexpr int kMaxWaits = 3;

void released(void* data, wl_buffer*) {
  static_cast<WaylandCanvas::Buffer*>(data)->busy = false;
}
constexpr wl_buffer_listener kBufferListener{released};

void announced(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t) {
  auto* shm = static_cast<wl_shm**>(data);
  if (!*shm && std::strcmp(interface, wl_shm_interface.name) == 0) {
    *shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  }
}
void withdrawn(void*, wl_registry*, std::uint32_t) {}
constexpr wl_registry_listener kRegistryListener{announced, withdrawn};

void copy(const WaylandCanvas::Buffer& from, WaylandCanvas::Buffer& to, const SDL_Rect& r) {
  const auto* source = static_cast<const unsigned char*>(from.pixels);
  auto* target = static_cast<unsigned char*>(to.pixels);
  for (int y = r.y; y < r.y + r.h; ++y) {
    std::size_t offset = static_cast<std::size_t>(y) * to.stride + r.x * 4;
    std::memcpy(target + offset, source + offset, static_cast<std::size_t>(r.w) * 4);
  }
}

}  // namespace

std::unique_ptr<WaylandCanvas> WaylandCanvas::create(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND) {
    return nullptr;
  }
  wl_event_queue* queue = wl_display_create_queue(info.info.wl.display);
  if (!queue) return nullptr;
  auto canvas = std::make_unique<WaylandCanvas>(Token{}, window, info.info.wl.display,
                                                info.info.wl.surface, queue);
  if (!canvas->bindSharedMemory()) return nullptr;
  return canvas;
}

WaylandCanvas::WaylandCanvas(Token, SDL_Window* window, wl_display* display, wl_surface* surface,
                             wl_event_queue* queue)
    : window_(window), display_(display), surface_(surface), queue_(queue) {}

WaylandCanvas::~WaylandCanvas() {
  buffers_.clear();
  if (shm_) wl_shm_destroy(shm_);
  wl_event_queue_destroy(queue_);
}

bool WaylandCanvas::bindSharedMemory() {
  // A registry of our own, on our queue: the objects bound through it send
  // their events there too.
  auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
  if (!wrapper) return false;
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue_);
  wl_registry* registry = wl_display_get_registry(wrapper);
  wl_proxy_wrapper_destroy(wrapper);
  if (!registry) return false;
  wl_registry_add_listener(registry, &kRegistryListener, &shm_);
  bool answered = wl_display_roundtrip_queue(display_, queue_) >= 0;
  wl_registry_destroy(registry);
  return answered && shm_;
}

std::unique_ptr<WaylandCanvas::Buffer> WaylandCanvas::makeBuffer() {
  auto buffer = std::make_unique<Buffer>();
  buffer->stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width_);
  buffer->bytes = static_cast<std::size_t>(buffer->stride) * height_;
  int fd = memfd_create("tamarock-window", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  if (ftruncate(fd, static_cast<off_t>(buffer->bytes)) == 0) {
    buffer->pixels = mmap(nullptr, buffer->bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  }
  if (buffer->pixels == MAP_FAILED) {
    close(fd);
    return nullptr;
  }
  wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, static_cast<std::int32_t>(buffer->bytes));
  close(fd);
  if (!pool) return nullptr;
  // XRGB8888 is cairo's RGB24: the same native-endian 32-bit word.
  buffer->buffer =
      wl_shm_pool_create_buffer(pool, 0, width_, height_, buffer->stride, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  if (!buffer->buffer) return nullptr;
  wl_buffer_add_listener(buffer->buffer, &kBufferListener, buffer.get());
  buffer->cairo.reset(
      cairo_image_surface_create_for_data(static_cast<unsigned char*>(buffer->pixels),
                                          CAIRO_FORMAT_RGB24, width_, height_, buffer->stride));
  if (cairo_surface_status(buffer->cairo.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  buffer->stale.push_back({0, 0, width_, height_});
  return buffer;
}

WaylandCanvas::Buffer* WaylandCanvas::freeBuffer() {
  for (int wait = 0; wait <= kMaxWaits; ++wait) {
    // SDL's event pump has read what the compositor said; the answers about
    // our buffers are waiting on our queue.
    wl_display_dispatch_queue_pending(display_, queue_);
    for (auto& buffer : buffers_) {
      if (!buffer->busy) return buffer.get();
    }
    if (buffers_.size() < kMaxBuffers) {
      auto buffer = makeBuffer();
      if (!buffer) return nullptr;
      buffers_.push_back(std::move(buffer));
      return buffers_.back().get();
    }
    if (wl_display_roundtrip_queue(display_, queue_) < 0) return nullptr;
  }
  return nullptr;
}

cairo_surface_t* WaylandCanvas::begin() {
  drawing_ = nullptr;
  int width = 0, height = 0;
  SDL_GetWindowSizeInPixels(window_, &width, &height);
  if (width <= 0 || height <= 0) return nullptr;
  if (width != width_ || height != height_) {
    // A resize repaints the whole window, into new buffers.
    shown_ = nullptr;
    buffers_.clear();
    width_ = width;
    height_ = height;
  }
  Buffer* buffer = freeBuffer();
  if (!buffer) return nullptr;
  if (shown_ && shown_ != buffer) {
    for (const auto& r : buffer->stale) copy(*shown_, *buffer, r);
    cairo_surface_mark_dirty(buffer->cairo.get());
  }
  buffer->stale.clear();
  drawing_ = buffer;
  return buffer->cairo.get();
}

bool WaylandCanvas::present(const std::vector<ui::PixelRect>& rects) {
  if (!drawing_) return false;
  Buffer* buffer = std::exchange(drawing_, nullptr);
  cairo_surface_flush(buffer->cairo.get());
  std::vector<SDL_Rect> shown = visibleRects(rects, width_, height_);
  if (shown.empty()) return true;
  for (auto& other : buffers_) {
    if (other.get() == buffer) continue;
    other->stale.insert(other->stale.end(), shown.begin(), shown.end());
    if (other->stale.size() > kMaxStaleRects) other->stale = {{0, 0, width_, height_}};
  }
  wl_surface_attach(surface_, buffer->buffer, 0, 0);
  bool inPixels = wl_proxy_get_version(reinterpret_cast<wl_proxy*>(surface_)) >=
                  WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION;
  for (const auto& r : shown) {
    if (inPixels) {
      wl_surface_damage_buffer(surface_, r.x, r.y, r.w, r.h);
    } else {
      // Older compositors take damage in surface coordinates; the whole
      // surface is always right.
      wl_surface_damage(surface_, 0, 0, INT32_MAX, INT32_MAX);
      break;
    }
  }
  wl_surface_commit(surface_);
  buffer->busy = true;
  shown_ = buffer;
  return wl_display_flush(display_) >= 0;
}

}  // namespace sdl
