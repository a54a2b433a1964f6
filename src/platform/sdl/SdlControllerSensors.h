#pragma once

#include <SDL.h>

#include <memory>

#include "platform/motion/ControllerSensors.h"

namespace sdl {

// A game controller's accelerometer and gyro through SDL. SDL's game-controller
// subsystem is initialised only while a controller is open (and briefly to
// look for one): an open joystick makes SDL poll for events every millisecond,
// which must not happen while the toy sits still.
class SdlControllerSensors final : public motion::ControllerSensors {
 public:
  ~SdlControllerSensors() override { close(); }

  bool isPresent() override;
  bool open() override;
  std::optional<Reading> read() override;
  void close() override;

 private:
  struct CloseController {
    void operator()(SDL_GameController* c) const { SDL_GameControllerClose(c); }
  };
  using ControllerPtr = std::unique_ptr<SDL_GameController, CloseController>;

  // The first attached controller with both sensors; needs the subsystem.
  static ControllerPtr openFirstWithSensors();

  ControllerPtr controller_;
  bool subsystem_ = false;
};

}  // namespace sdl
