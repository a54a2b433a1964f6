#pragma once

#include <array>

namespace motion {

// A sensor reading along the device's x, y and z axes.
using Vector3 = std::array<double, 3>;

}  // namespace motion
