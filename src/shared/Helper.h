#pragma once

#include "platform/foundation/Geometry.h"

struct Helper {
  // A random centre for a dot of `radius`, at least 32 points from the side
  // edges and 32 points inside the safe area at top and bottom.
  static foundation::Point randomDotCenter(double radius);
  // The drag bounds: `wanted` held 32 points from the side edges and 32 points
  // inside the safe area at top and bottom, read from the window now. The same
  // clamp ends randomDotCenter.
  static foundation::Point dragBounds(foundation::Point wanted);
};
