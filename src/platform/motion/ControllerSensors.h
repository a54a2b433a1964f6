#pragma once

#include <memory>
#include <optional>

#include "platform/motion/Vector3.h"

namespace motion {

// The motion sensors of a game controller, as the window-system backend
// reaches them. Axes are the device's (x to the right, y away from the player,
// z up out of the controller's face); acceleration in m/s² as felt (+9.8 on z
// lying flat), rotation rate in rad/s.
class ControllerSensors {
 public:
  struct Reading {
    Vector3 acceleration;
    Vector3 rotationRate;
  };

  virtual ~ControllerSensors() = default;

  // Whether a controller with an accelerometer and a gyro is attached. Leaves
  // nothing open. Main thread.
  virtual bool isPresent() = 0;
  // Opens the first such controller and turns its sensors on. Main thread.
  virtual bool open() = 0;
  // The latest reading, from any one thread between open() and close();
  // nullopt once the controller is gone.
  virtual std::optional<Reading> read() = 0;
  // Closes the controller and everything opened for it. Main thread.
  virtual void close() = 0;
};

}  // namespace motion
