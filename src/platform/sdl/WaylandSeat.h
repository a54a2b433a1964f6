#pragma once

namespace sdl {

// What the Wayland compositor named by the environment offers, asked over a
// connection of our own before SDL is handed the display: SDL 2.26's Wayland
// driver crashes inside SDL_Init when the compositor has no input seat (a
// headless one, say), so it may only be tried where a seat was seen.
enum class WaylandCompositor {
  Absent,  // WAYLAND_DISPLAY unset, or nothing answers there
  WithoutSeat,
  WithSeat,
};

WaylandCompositor probeWaylandCompositor();

}  // namespace sdl
