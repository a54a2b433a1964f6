#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace foundation {

// A serial queue with its own worker thread, started on first use. Work runs in
// submission order, off the main thread; results go back with RunLoop::post.
// The worker is detached at destruction, finishing what was submitted: a
// blocked network call must never hold up the process's exit. An orderly exit
// stops the queue first instead.
class DispatchQueue {
 public:
  explicit DispatchQueue(std::string label);
  ~DispatchQueue();
  DispatchQueue(const DispatchQueue&) = delete;
  DispatchQueue& operator=(const DispatchQueue&) = delete;

  void async(std::function<void()> work);
  const std::string& label() const { return label_; }

  // Drops the work not yet started and waits for the running work to end, so
  // that nothing of this queue runs once it returns. Whatever the running work
  // waits on must be ended first (cancel its load). Work submitted while this
  // waits is dropped; work submitted afterwards starts a new worker. From any
  // thread but the worker's own, which drops the pending work and returns.
  void cancelPendingAndWait();

 private:
  struct State;
  std::string label_;
  std::shared_ptr<State> state_;
  std::thread worker_;  // under state_->mutex
};

}  // namespace foundation
