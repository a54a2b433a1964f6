#pragma once

#include <mutex>

#include "platform/motion/MotionSource.h"

namespace motion {

// A sensor that a test drives by hand, sample by sample, so that nothing waits
// on real time: emit() hands a sample to the manager at once, on the caller's
// thread. Put it in place with MotionManager::setSourceOverride().
class ScriptedMotionSource final : public MotionSource {
 public:
  bool isPresent() override;
  bool start(double interval, Callbacks callbacks) override;
  void stop() override;

  // Ignored unless started.
  void emit(const DeviceMotion& sample);
  // The sensor goes away, as an unplugged controller does: the loss is
  // reported and the sensor is no longer present.
  void disappear();
  void setPresent(bool present);

  bool isRunning() const;
  int startCount() const;
  double interval() const;  // of the latest start

 private:
  mutable std::mutex mutex_;
  bool present_ = true;
  bool running_ = false;
  int starts_ = 0;
  double interval_ = 0;
  Callbacks callbacks_;
};

}  // namespace motion
