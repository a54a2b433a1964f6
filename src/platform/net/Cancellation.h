#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace net {

// A one-way switch that ends loads early: whoever started them flips it, from
// any thread, and every load that was given it fails at once instead of
// waiting for its answer or its time-out. Shared by the starter and the loads.
class Cancellation {
 public:
  // Any thread; the second and later calls do nothing.
  void cancel();
  bool isCancelled() const;

  // For a load: `wake` runs, on the cancelling thread and under this switch's
  // lock, when cancel() comes while it is registered; it must only nudge the
  // waiting load, never block. Nothing is registered, and 0 returned, when the
  // switch is already flipped.
  std::uint64_t addWaiter(std::function<void()> wake);
  // Once it returns, the waiter's `wake` is not running and will not run.
  void removeWaiter(std::uint64_t id);

 private:
  mutable std::mutex mutex_;
  bool cancelled_ = false;
  std::uint64_t nextId_ = 1;
  std::map<std::uint64_t, std::function<void()>> waiters_;
};

}  // namespace net
