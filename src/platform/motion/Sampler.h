#pragma once

#include <functional>
#include <thread>

namespace motion {

// Calls `tick` with the time in seconds of a monotonic clock, at once and then
// every `period` seconds, on a thread of its own, until stop() or until tick
// returns false. A sensor has to be read on its own schedule: the main loop
// must stay free to sleep.
class Sampler {
 public:
  Sampler() = default;
  ~Sampler() { stop(); }
  Sampler(const Sampler&) = delete;
  Sampler& operator=(const Sampler&) = delete;

  void start(double period, std::function<bool(double now)> tick);
  // Waits for a running tick to end; must not be called from tick itself.
  void stop();

 private:
  std::jthread thread_;
};

}  // namespace motion
