#include "platform/foundation/DispatchQueue.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace foundation {

struct DispatchQueue::State {
  std::mutex mutex;
  std::condition_variable ready;
  std::deque<std::function<void()>> work;
  bool closing = false;   // the queue is gone: finish the work, then end
  bool stopping = false;  // end now, leaving the work
};

DispatchQueue::DispatchQueue(std::string label)
    : label_(std::move(label)), state_(std::make_shared<State>()) {}

DispatchQueue::~DispatchQueue() {
  std::lock_guard lock(state_->mutex);
  state_->closing = true;
  state_->ready.notify_all();
  if (worker_.joinable()) worker_.detach();
}

void DispatchQueue::async(std::function<void()> work) {
  std::lock_guard lock(state_->mutex);
  if (state_->stopping) return;  // the work goes once the lock is released
  state_->work.push_back(std::move(work));
  if (!worker_.joinable()) {
    // The worker shares the state, not the queue, so it outlives the queue safely.
    worker_ = std::thread([state = state_] {
      for (;;) {
        std::function<void()> next;
        {
          std::unique_lock lock(state->mutex);
          state->ready.wait(
              lock, [&] { return state->stopping || state->closing || !state->work.empty(); });
          if (state->stopping || state->work.empty()) return;
          next = std::move(state->work.front());
          state->work.pop_front();
        }
        next();
      }
    });
  }
  state_->ready.notify_one();
}

void DispatchQueue::cancelPendingAndWait() {
  std::deque<std::function<void()>> dropped;
  std::thread worker;
  {
    std::lock_guard lock(state_->mutex);
    dropped.swap(state_->work);
    if (worker_.joinable() && worker_.get_id() == std::this_thread::get_id()) return;
    state_->stopping = true;
    state_->ready.notify_all();
    worker = std::move(worker_);
  }
  if (worker.joinable()) worker.join();
  std::lock_guard lock(state_->mutex);
  state_->stopping = false;
}

}  // namespace foundation
