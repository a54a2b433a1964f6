#pragma once

#include "platform/foundation/Random.h"

// The outline the Paint screen offers, each 352 points across.
enum class PaintShape { Square = 0, Circle = 1, Triangle = 2 };

// Each kind with probability one third.
inline PaintShape randomPaintShape() {
  return static_cast<PaintShape>(foundation::Random::integer(0, 2));
}
