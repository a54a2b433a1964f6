#include "platform/sdl/SdlEventSource.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/sdl/EventDispatcher.h"
#include "platform/sdl/EventTranslator.h"
#include "platform/sdl/SdlWindowPeer.h"
#include "platform/ui/Application.h"

namespace sdl {

SdlEventSource::SdlEventSource(std::shared_ptr<SdlVideo> video) : video_(std::move(video)) {
  Uint32 type = SDL_RegisterEvents(1);
  wakeType_ = type == static_cast<Uint32>(-1) ? static_cast<Uint32>(SDL_USEREVENT) : type;
}

void SdlEventSource::waitAndDispatch(double seconds) {
  SDL_Event event;
  bool got = false;
  if (std::isinf(seconds)) {
    got = SDL_WaitEvent(&event) == 1;
  } else {
    // Rounded up: a short positive wait rounded down to 0 ms would spin until it is due.
    double ms = std::ceil(std::max(0.0, seconds) * 1000);
    int timeout = ms >= INT_MAX ? INT_MAX : static_cast<int>(ms);
    got = SDL_WaitEventTimeout(&event, timeout) == 1;
  }
  if (got && !handle(event)) return;
  while (SDL_PollEvent(&event)) {
    if (!handle(event)) return;
  }
}

void SdlEventSource::wake() {
  if (wakePending_.exchange(true)) return;
  SDL_Event event{};
  event.type = wakeType_;
  if (SDL_PushEvent(&event) != 1) wakePending_ = false;
}

bool SdlEventSource::handle(const SDL_Event& event) {
  if (event.type == wakeType_) {
    // Cleared before the loop runs its posted work, so a later post wakes it again.
    wakePending_ = false;
    return true;
  }
  WindowGeometry geometry;
  if (auto window = window_.lock()) geometry = window->geometry();
  auto input = translate(event, geometry, foundation::RunLoop::main().now());
  if (!input) return true;
  dispatch(*input, *ui::Application::shared());
  // A close the application declined leaves the loop running and the queue to drain.
  bool quit = std::holds_alternative<QuitRequested>(*input) ||
              std::holds_alternative<CloseRequested>(*input);
  return !quit || foundation::RunLoop::main().isRunning();
}

}  // namespace sdl
