#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/foundation/Bundle.h"
#include "platform/sdl/WaylandSeat.h"

// Last: Xlib's macros (None, Status, Bool) would reach the headers above.
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace sdl {

namespace {

XErrorHandler previousErrorHandler = nullptr;

// SDL wakes its waiting loop by sending an event to the window over a second
// connection of its own, even for an event it raised itself while waiting,
// such as a window manager's request to close. Nothing orders that connection
// against the window's own: on a loaded machine the server may destroy the
// window first and answer the wakeup with BadWindow, which Xlib's default
// handler turns into exit status 1 on the way out. A wakeup that finds no
// window has nobody left to wake; every other error goes on as before.
int ignoreWakeupsForGoneWindows(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return previousErrorHandler ? previousErrorHandler(display, error) : 0;
}

// The drivers to try when nobody named one: the window systems only. Left to
// itself, SDL falls back to its invisible "offscreen" driver when there is no
// display, and the program would run on with no window at all. A Wayland
// session gets a Wayland window, unless its compositor has no seat to give
// input with (SDL would crash), and X11 stays the way out.
std::string windowSystemDrivers(WaylandCompositor compositor) {
  return compositor == WaylandCompositor::WithSeat ? "wayland,x11" : "x11";
}

bool namesWayland(const char* drivers) {
  return drivers && std::strstr(drivers, "wayland");
}

}  // namespace

std::shared_ptr<SdlVideo> SdlVideo::start(std::string& error) {
  // A finger must arrive once, as a finger, and a mouse once, as a mouse.
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Without this SDL may back the window surface with a GL texture and redraw
  // the whole window on every update; we want the plain shared-memory image so
  // that presenting a few damaged rectangles costs only those rectangles.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // SDL keeps the screen saver off for as long as it runs; whether it may come
  // on is the application's to say (see Backend::setScreenSaverEnabled).
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // With the keyboard grabbed SDL itself would minimise the window on
  // Alt+Tab, the very way out a grab is there to close.
  SDL_SetHint(SDL_HINT_ALLOW_ALT_TAB_WHILE_GRABBED, "0");
  // Closing the window is a request the application may decline; SDL_QUIT is
  // kept for a signal, which always ends the program.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // The desktop matches a window to its launcher by the window's class (X11)
  // or app id (Wayland); SDL 2 reads them from the environment as it opens the
  // display. The bundle's identifier names both; a value the user set stays.
  if (auto id = foundation::Bundle::main().objectForInfoDictionaryKey("CFBundleIdentifier")) {
    setenv("SDL_VIDEO_X11_WMCLASS", id->c_str(), 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", id->c_str(), 0);
  }
  const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);  // the environment's, too
  bool chooseDriver = !requested || !*requested;
  auto compositor = chooseDriver || namesWayland(requested) ? probeWaylandCompositor()
                                                            : WaylandCompositor::Absent;
  if (!chooseDriver && compositor == WaylandCompositor::WithoutSeat) {
    error = "cannot open the display: the Wayland compositor has no input seat";
    return nullptr;
  }
  if (chooseDriver) {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, windowSystemDrivers(compositor).c_str(),
                            SDL_HINT_OVERRIDE);
  }
  // Before SDL_Init: SDL puts its own handler in front and gives this one back
  // as it shuts down, just before it closes the connection the late wakeup's
  // error arrives on.
  XErrorHandler previous = XSetErrorHandler(ignoreWakeupsForGoneWindows);
  if (previous != ignoreWakeupsForGoneWindows) previousErrorHandler = previous;
  // Video only: an initialised joystick or sensor subsystem makes SDL poll, and
  // a window that shows nothing new must not use the processor at all.
  bool ok = SDL_Init(SDL_INIT_VIDEO) == 0;
  if (!ok && compositor == WaylandCompositor::WithoutSeat) {
    error =
        "cannot open the display: the Wayland compositor has no input seat, and there is no "
        "X display";
  } else if (!ok) {
    error = std::string("cannot open the display: ") + SDL_GetError();
  }
  if (chooseDriver) SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  if (!ok) return nullptr;
  // Nothing here takes text, and an input method has nothing to compose.
  SDL_StopTextInput();
  return std::make_shared<SdlVideo>(Token{});
}

SdlVideo::~SdlVideo() {
  SDL_Quit();
}

}  // namespace sdl
