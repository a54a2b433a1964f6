#pragma once

#include <filesystem>

#include "platform/motion/IioAccelerometer.h"
#include "platform/motion/MotionSource.h"
#include "platform/motion/Sampler.h"

namespace motion {

// Device motion from an IIO accelerometer: roll and pitch from the direction of
// gravity, yaw always 0 (an accelerometer cannot see turns about the vertical).
class IioSource final : public MotionSource {
 public:
  explicit IioSource(std::filesystem::path root = IioAccelerometer::kDevicesRoot)
      : root_(std::move(root)) {}
  ~IioSource() override { stop(); }

  bool isPresent() override;
  bool start(double interval, Callbacks callbacks) override;
  void stop() override;

 private:
  std::filesystem::path root_;
  Sampler sampler_;
};

// The attitude a resting accelerometer reading (m/s², the reaction to gravity)
// stands for; nullopt for a reading too weak to show where down is (free fall,
// a dead sensor).
std::optional<Attitude> attitudeFromAcceleration(const Vector3& acceleration);

}  // namespace motion
