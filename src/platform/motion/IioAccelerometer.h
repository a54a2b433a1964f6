#pragma once

#include <filesystem>
#include <optional>

#include "platform/motion/Vector3.h"

namespace motion {

// A Linux Industrial I/O accelerometer, read from sysfs: for each axis
// (raw + offset) × scale in m/s², with per-axis files taking precedence over
// the shared ones. Like the kernel, it reports the reaction to gravity: about
// +9.8 on z for a device lying face up.
class IioAccelerometer {
 public:
  static constexpr const char* kDevicesRoot = "/sys/bus/iio/devices";

  // The first device under `root` (in name order) with readable raw x, y and z
  // and a scale for each; nullopt if none.
  static std::optional<IioAccelerometer> find(const std::filesystem::path& root = kDevicesRoot);

  // Nullopt when the device went away or reported something that is not a
  // finite number.
  std::optional<Vector3> read() const;

  const std::filesystem::path& directory() const { return directory_; }

 private:
  explicit IioAccelerometer(std::filesystem::path directory) : directory_(std::move(directory)) {}

  std::filesystem::path directory_;
};

}  // namespace motion
