#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/foundation/Geometry.h"

namespace ui {
class Window;
}

// What the headless benchmarks share. They report figures; they assert nothing.

// CPU seconds this process has used so far.
double cpuSeconds();

// Samples in seconds, printed in milliseconds.
struct Stats {
  std::vector<double> samples;
  void print(const char* what);
  // The sample at `fraction` (0.5 the median, 1 the maximum) in milliseconds;
  // sorts the samples.
  double quantileMs(double fraction);
};

// The real application on the headless backend with a virtual clock, on the
// given action as a returning user would open it, with settings in a folder of
// its own and no network request; `scale` device pixels to the point.
class HeadlessBench {
 public:
  explicit HeadlessBench(std::int64_t action, foundation::Size size = {1920, 1080},
                         double scale = 1);
  ~HeadlessBench();
  HeadlessBench(const HeadlessBench&) = delete;
  HeadlessBench& operator=(const HeadlessBench&) = delete;

  // Null when the launch failed (the reason is on standard error).
  const std::shared_ptr<ui::Window>& window() const { return window_; }

 private:
  std::filesystem::path dir_;
  std::shared_ptr<ui::Window> window_;
};
