#include "platform/motion/Sampler.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace motion {

void Sampler::start(double period, std::function<bool(double now)> tick) {
  stop();
  thread_ = std::jthread([period, tick = std::move(tick)](std::stop_token token) {
    using Clock = std::chrono::steady_clock;
    auto step = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(period));
    std::mutex mutex;
    std::condition_variable_any wake;
    auto next = Clock::now();
    while (!token.stop_requested()) {
      auto now = Clock::now();
      if (!tick(std::chrono::duration<double>(now.time_since_epoch()).count())) return;
      // A late tick (a busy machine) does not make the next ones come in a burst.
      next += step;
      if (next < now) next = now + step;
      std::unique_lock lock(mutex);
      wake.wait_until(lock, token, next, [] { return false; });
    }
  });
}

void Sampler::stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

}  // namespace motion
