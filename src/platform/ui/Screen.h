#pragma once

#include "platform/foundation/Geometry.h"

namespace ui {

// The display the application shows on.
class Screen {
 public:
  static foundation::Rect mainBounds();
  static double mainScale();
};

}  // namespace ui
