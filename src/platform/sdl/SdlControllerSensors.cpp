#include "platform/sdl/SdlControllerSensors.h"

namespace sdl {

namespace {

bool hasMotionSensors(SDL_GameController* c) {
  return SDL_GameControllerHasSensor(c, SDL_SENSOR_ACCEL) &&
         SDL_GameControllerHasSensor(c, SDL_SENSOR_GYRO);
}

// SDL's controller axes (x right, y up out of the face, z towards the player)
// turned into the device's (x right, y away from the player, z up).
motion::Vector3 toDeviceAxes(const float v[3]) {
  return {v[0], -v[2], v[1]};
}

}  // namespace

SdlControllerSensors::ControllerPtr SdlControllerSensors::openFirstWithSensors() {
  for (int i = 0, n = SDL_NumJoysticks(); i < n; ++i) {
    if (!SDL_IsGameController(i)) continue;
    ControllerPtr controller(SDL_GameControllerOpen(i));
    if (controller && hasMotionSensors(controller.get())) return controller;
  }
  return nullptr;
}

bool SdlControllerSensors::isPresent() {
  if (controller_) return true;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
  bool found = openFirstWithSensors() != nullptr;
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  return found;
}

bool SdlControllerSensors::open() {
  close();
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
  subsystem_ = true;
  // The readings are fetched when wanted; a sensor event for each of hundreds
  // of readings a second would only wake the main loop for nothing.
  SDL_EventState(SDL_CONTROLLERSENSORUPDATE, SDL_IGNORE);
  controller_ = openFirstWithSensors();
  if (!controller_ ||
      SDL_GameControllerSetSensorEnabled(controller_.get(), SDL_SENSOR_ACCEL, SDL_TRUE) != 0 ||
      SDL_GameControllerSetSensorEnabled(controller_.get(), SDL_SENSOR_GYRO, SDL_TRUE) != 0) {
    close();
    return false;
  }
  return true;
}

std::optional<motion::ControllerSensors::Reading> SdlControllerSensors::read() {
  // SDL takes its joystick lock in each call. The readings are kept current by
  // the main loop's event pump, which polls while a joystick is open.
  if (!controller_ || !SDL_GameControllerGetAttached(controller_.get())) return std::nullopt;
  float accel[3] = {};
  float gyro[3] = {};
  if (SDL_GameControllerGetSensorData(controller_.get(), SDL_SENSOR_ACCEL, accel, 3) != 0 ||
      SDL_GameControllerGetSensorData(controller_.get(), SDL_SENSOR_GYRO, gyro, 3) != 0) {
    return std::nullopt;
  }
  return Reading{toDeviceAxes(accel), toDeviceAxes(gyro)};
}

void SdlControllerSensors::close() {
  controller_.reset();
  if (subsystem_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  subsystem_ = false;
}

}  // namespace sdl
