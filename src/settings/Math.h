#pragma once

#include <numbers>

struct Math {
  static double radian(double fromDegrees) { return fromDegrees * std::numbers::pi / 180; }
};
