#pragma once

#include <chrono>
#include <future>
#include <memory>

#include "platform/foundation/DispatchQueue.h"

namespace motion::testing {

// Returns once everything queued so far has run: waits on the queue's own
// progress, never on a clock.
inline void drain(foundation::DispatchQueue& queue) {
  auto done = std::make_shared<std::promise<void>>();
  auto finished = done->get_future();
  queue.async([done] { done->set_value(); });
  finished.wait();
}

// A bound for waits on a sensor thread, so a broken source fails the test
// instead of hanging it; a working one answers in milliseconds.
constexpr auto kSensorPatience = std::chrono::seconds(10);

}  // namespace motion::testing
