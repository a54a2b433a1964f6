#pragma once

#include <memory>

#include "platform/motion/ControllerSensors.h"
#include "platform/motion/MotionSource.h"
#include "platform/motion/Sampler.h"

namespace motion {

// Device motion from a game controller's accelerometer and gyro, fused into a
// full attitude. The controller is open only between start() and stop().
class ControllerSource final : public MotionSource {
 public:
  // The gyro is integrated at this period, finer than any update interval a
  // caller asks for, so that quick turns are not lost between samples.
  static constexpr double kFusionPeriod = 0.01;  // seconds

  explicit ControllerSource(std::unique_ptr<ControllerSensors> sensors)
      : sensors_(std::move(sensors)) {}
  ~ControllerSource() override { stop(); }

  bool isPresent() override { return sensors_ && sensors_->isPresent(); }
  bool start(double interval, Callbacks callbacks) override;
  void stop() override;

 private:
  std::unique_ptr<ControllerSensors> sensors_;
  Sampler sampler_;
  bool open_ = false;
};

}  // namespace motion
