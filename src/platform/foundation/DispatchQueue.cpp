#include "platform/foundation/DispatchQueue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace foundation {

struct DispatchQueue::State {
  std::mutex mutex;
  std::condition_variable ready;
  std::deque<std::function<void()>> work;
  bool started = false;
  bool closing = false;
};

DispatchQueue::DispatchQueue(std::string label)
    : label_(std::move(label)), state_(std::make_shared<State>()) {}

DispatchQueue::~DispatchQueue() {
  std::lock_guard lock(state_->mutex);
  state_->closing = true;
  state_->ready.notify_all();
}

void DispatchQueue::async(std::function<void()> work) {
  std::lock_guard lock(state_->mutex);
  state_->work.push_back(std::move(work));
  if (!state_->started) {
    state_->started = true;
    // The worker shares the state, not the queue, so it outlives the queue safely.
    std::thread([state = state_] {
      for (;;) {
        std::function<void()> next;
        {
          std::unique_lock lock(state->mutex);
          state->ready.wait(lock, [&] { return state->closing || !state->work.empty(); });
          if (state->work.empty()) return;
          next = std::move(state->work.front());
          state->work.pop_front();
        }
        next();
      }
    }).detach();
  }
  state_->ready.notify_one();
}

}  // namespace foundation
