#include "platform/net/Cancellation.h"

namespace net {

void Cancellation::cancel() {
  std::lock_guard lock(mutex_);
  if (cancelled_) return;
  cancelled_ = true;
  for (auto& [id, wake] : waiters_) wake();
}

bool Cancellation::isCancelled() const {
  std::lock_guard lock(mutex_);
  return cancelled_;
}

std::uint64_t Cancellation::addWaiter(std::function<void()> wake) {
  std::lock_guard lock(mutex_);
  if (cancelled_) return 0;
  auto id = nextId_++;
  waiters_.emplace(id, std::move(wake));
  return id;
}

void Cancellation::removeWaiter(std::uint64_t id) {
  std::lock_guard lock(mutex_);
  waiters_.erase(id);
}

}  // namespace net
