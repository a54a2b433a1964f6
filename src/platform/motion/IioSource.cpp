#include "platform/motion/IioSource.h"

#include <cmath>
#include <system_error>

namespace motion {

namespace {
constexpr double kStandardGravity = 9.80665;  // m/s²
// Below a tenth of gravity the reading says nothing about which way is down.
constexpr double kWeakestUsefulReading = 0.1 * kStandardGravity;
}  // namespace

std::optional<Attitude> attitudeFromAcceleration(const Vector3& a) {
  double length = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
  if (!std::isfinite(length) || length < kWeakestUsefulReading) return std::nullopt;
  // The sensor feels the floor pushing up; gravity points the other way.
  return Attitude::fromGravity(-a[0], -a[1], -a[2]);
}

bool IioSource::isPresent() {
  return IioAccelerometer::find(root_).has_value();
}

bool IioSource::start(double interval, Callbacks callbacks) {
  stop();
  auto sensor = IioAccelerometer::find(root_);
  if (!sensor) return false;
  sampler_.start(interval, [sensor = *sensor, callbacks = std::move(callbacks)](double now) {
    auto reading = sensor.read();
    if (!reading) {
      // A value that does not parse is skipped; a device that is gone ends the updates.
      std::error_code ec;
      if (std::filesystem::exists(sensor.directory(), ec)) return true;
      callbacks.lost();
      return false;
    }
    if (auto attitude = attitudeFromAcceleration(*reading)) callbacks.sample({*attitude, now});
    return true;
  });
  return true;
}

void IioSource::stop() {
  sampler_.stop();
}

}  // namespace motion
