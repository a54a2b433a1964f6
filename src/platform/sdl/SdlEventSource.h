#pragma once

#include <atomic>
#include <memory>

#include <SDL.h>

#include "platform/foundation/RunLoop.h"
#include "platform/sdl/SdlVideo.h"

namespace sdl {

class SdlWindowPeer;

// The main loop sleeps here, in SDL's event queue, and wakes for input, for its
// next deadline, or for wake() from any thread. Input goes to the application.
class SdlEventSource : public foundation::EventSource {
 public:
  explicit SdlEventSource(std::shared_ptr<SdlVideo> video);

  // The window whose geometry positions pointer and finger events.
  void setWindow(std::weak_ptr<SdlWindowPeer> window) { window_ = std::move(window); }

  void waitAndDispatch(double seconds) override;
  void wake() override;

 private:
  // False once the event ended the application: what is still queued waits.
  bool handle(const SDL_Event& event);

  std::shared_ptr<SdlVideo> video_;
  std::weak_ptr<SdlWindowPeer> window_;
  Uint32 wakeType_;
  // One wake event in the queue is enough, however many threads post.
  std::atomic<bool> wakePending_{false};
};

}  // namespace sdl
