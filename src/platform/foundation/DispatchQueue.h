#pragma once

#include <functional>
#include <memory>
#include <string>

namespace foundation {

// A serial queue with its own worker thread, started on first use. Work runs in
// submission order, off the main thread; results go back with RunLoop::post.
// The worker is detached at destruction: a blocked network call must never hold
// up the process's exit.
class DispatchQueue {
 public:
  explicit DispatchQueue(std::string label);
  ~DispatchQueue();
  DispatchQueue(const DispatchQueue&) = delete;
  DispatchQueue& operator=(const DispatchQueue&) = delete;

  void async(std::function<void()> work);
  const std::string& label() const { return label_; }

 private:
  struct State;
  std::string label_;
  std::shared_ptr<State> state_;
};

}  // namespace foundation
