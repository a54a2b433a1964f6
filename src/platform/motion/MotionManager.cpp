#include "platform/motion/MotionManager.h"

#include <filesystem>
#include <system_error>

namespace motion {

namespace {

std::optional<bool>& availabilityOverride() {
  static std::optional<bool> value;
  return value;
}

// An IIO device that reports acceleration on all three axes.
bool hasIioAccelerometer() {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::directory_iterator devices("/sys/bus/iio/devices", ec);
  if (ec) return false;
  for (const auto& device : devices) {
    const auto& dir = device.path();
    if (fs::exists(dir / "in_accel_x_raw", ec) && fs::exists(dir / "in_accel_y_raw", ec) &&
        fs::exists(dir / "in_accel_z_raw", ec)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool MotionManager::isAccelerometerAvailable() const {
  if (auto forced = availabilityOverride()) return *forced;
  return hasIioAccelerometer();
}

void MotionManager::setAvailabilityOverride(std::optional<bool> available) {
  availabilityOverride() = available;
}

}  // namespace motion
