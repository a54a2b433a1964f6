#pragma once

#include <memory>
#include <string>

namespace sdl {

// SDL's video subsystem, held by the backend, its windows and its event source
// alike, so that SDL shuts down only after the last of them is gone, whatever
// order the application releases them in.
class SdlVideo {
  struct Token {};

 public:
  explicit SdlVideo(Token) {}
  ~SdlVideo();
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;

  // Sets the process-wide hints and initialises video (and nothing else);
  // nullptr and a one-line reason when there is no display to talk to.
  static std::shared_ptr<SdlVideo> start(std::string& error);
};

}  // namespace sdl
