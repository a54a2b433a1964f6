#include "platform/motion/IioAccelerometer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <system_error>
#include <vector>

namespace motion {

namespace {

constexpr const char* kAxes[] = {"x", "y", "z"};

std::optional<double> readNumber(const std::filesystem::path& file) {
  std::ifstream in(file);
  double value = 0;
  if (!(in >> value) || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The axis's own attribute, else the one the axes share (in_accel_<what>).
std::optional<double> readAttribute(const std::filesystem::path& dir, const char* axis,
                                    const char* what) {
  std::string own = std::string("in_accel_") + axis + "_" + what;
  if (auto value = readNumber(dir / own)) return value;
  return readNumber(dir / (std::string("in_accel_") + what));
}

std::optional<double> readAxis(const std::filesystem::path& dir, const char* axis) {
  auto raw = readAttribute(dir, axis, "raw");
  auto scale = readAttribute(dir, axis, "scale");
  if (!raw || !scale) return std::nullopt;
  double offset = readAttribute(dir, axis, "offset").value_or(0);
  double value = (*raw + offset) * *scale;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<IioAccelerometer> IioAccelerometer::find(const std::filesystem::path& root) {
  std::error_code ec;
  std::vector<std::filesystem::path> devices;
  for (std::filesystem::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    devices.push_back(it->path());
  }
  std::sort(devices.begin(), devices.end());
  for (const auto& dir : devices) {
    IioAccelerometer candidate(dir);
    if (candidate.read()) return candidate;
  }
  return std::nullopt;
}

std::optional<Vector3> IioAccelerometer::read() const {
  Vector3 result{};
  for (int i = 0; i < 3; ++i) {
    auto value = readAxis(directory_, kAxes[i]);
    if (!value) return std::nullopt;
    result[i] = *value;
  }
  return result;
}

}  // namespace motion
