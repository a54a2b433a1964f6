#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

namespace sdl {

std::shared_ptr<SdlVideo> SdlVideo::start(std::string& error) {
  // A finger must arrive once, as a finger, and a mouse once, as a mouse.
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Without this SDL may back the window surface with a GL texture and redraw
  // the whole window on every update; we want the plain shared-memory image so
  // that presenting a few damaged rectangles costs only those rectangles.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Video only: an initialised joystick or sensor subsystem makes SDL poll, and
  // a window that shows nothing new must not use the processor at all.
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("cannot open the display: ") + SDL_GetError();
    return nullptr;
  }
  // Nothing here takes text, and an input method has nothing to compose.
  SDL_StopTextInput();
  return std::make_shared<SdlVideo>(Token{});
}

SdlVideo::~SdlVideo() {
  SDL_Quit();
}

}  // namespace sdl
