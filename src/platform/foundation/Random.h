#pragma once

#include <cstdint>
#include <functional>

namespace foundation {

// The one random generator of the process, seeded from the system's entropy
// source (never a fixed seed). Every draw is uniform over a closed interval:
// both ends are possible. Any thread may draw.
class Random {
 public:
  // Uniform in [a, b]; a > b is read as [b, a]. The result never leaves the
  // interval, and with a scripted unit value u it is exactly a at u = 0 and
  // exactly b at u = 1.
  static double uniform(double a, double b);
  // Uniform over the whole numbers lo...hi, both included; lo > hi is read as
  // hi...lo.
  static std::int64_t integer(std::int64_t lo, std::int64_t hi);

  // For tests: a source of unit values in [0, 1] that takes the generator's
  // place (values outside are clamped into it). nullptr puts the system
  // generator back. The source is called with a lock held, so it must not
  // draw from Random itself.
  using Source = std::function<double()>;
  static void setSource(Source source);
};

}  // namespace foundation
