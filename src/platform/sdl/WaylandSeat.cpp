#include "platform/sdl/WaylandSeat.h"

#include <wayland-client.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace sdl {

namespace {

struct DisplayRelease {
  void operator()(wl_display* display) const { wl_display_disconnect(display); }
};
struct RegistryRelease {
  void operator()(wl_registry* registry) const { wl_registry_destroy(registry); }
};

void global(void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
  if (std::strcmp(interface, wl_seat_interface.name) == 0) *static_cast<bool*>(data) = true;
}

void globalRemove(void*, wl_registry*, std::uint32_t) {}

constexpr wl_registry_listener kListener{global, globalRemove};

}  // namespace

WaylandCompositor probeWaylandCompositor() {
  // Only a session that names its compositor is a Wayland session; libwayland
  // would otherwise guess "wayland-0".
  const char* name = std::getenv("WAYLAND_DISPLAY");
  if (!name || !*name) return WaylandCompositor::Absent;
  std::unique_ptr<wl_display, DisplayRelease> display(wl_display_connect(nullptr));
  if (!display) return WaylandCompositor::Absent;
  std::unique_ptr<wl_registry, RegistryRelease> registry(wl_display_get_registry(display.get()));
  bool seat = false;
  if (!registry || wl_registry_add_listener(registry.get(), &kListener, &seat) != 0) {
    return WaylandCompositor::Absent;
  }
  // One roundtrip: the compositor announces every global it has in answer.
  if (wl_display_roundtrip(display.get()) < 0) return WaylandCompositor::Absent;
  return seat ? WaylandCompositor::WithSeat : WaylandCompositor::WithoutSeat;
}

}  // namespace sdl
