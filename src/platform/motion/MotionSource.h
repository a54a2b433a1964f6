#pragma once

#include <functional>

#include "platform/motion/DeviceMotion.h"

namespace motion {

// One kind of motion sensor. The manager starts it with two callbacks, which it
// may call from any one thread of its own between start() and the return of
// stop(): `sample` with each reading, about every `interval` seconds, and
// `lost` once if the sensor goes away, after which it calls neither again.
class MotionSource {
 public:
  struct Callbacks {
    std::function<void(const DeviceMotion&)> sample;
    std::function<void()> lost;
  };

  virtual ~MotionSource() = default;

  // Whether the sensor is there now. Leaves nothing open.
  virtual bool isPresent() = 0;
  // False when the sensor cannot be opened; then no callback is ever called.
  virtual bool start(double interval, Callbacks callbacks) = 0;
  // Idempotent. Once it returns, neither callback runs again.
  virtual void stop() = 0;
};

}  // namespace motion
