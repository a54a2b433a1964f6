#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "platform/foundation/DispatchQueue.h"

namespace {

TEST(DispatchQueueTest, CancelPendingAndWaitDropsTheQueueAndWaitsOutTheRunningWork) {
  foundation::DispatchQueue queue("test");
  std::promise<void> started;
  std::atomic<bool> finished{false};
  std::atomic<bool> pendingRan{false};
  queue.async([&] {
    started.set_value();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    finished = true;
  });
  queue.async([&] { pendingRan = true; });
  started.get_future().wait();
  queue.cancelPendingAndWait();
  EXPECT_TRUE(finished) << "returned while the work still ran";
  EXPECT_FALSE(pendingRan);

  // Usable again, also by its own work, which cannot wait for itself.
  std::promise<void> queuedBehind;
  std::promise<void> ranAgain;
  queue.async([&] {
    queuedBehind.get_future().wait();
    queue.cancelPendingAndWait();
    ranAgain.set_value();
  });
  queue.async([&] { pendingRan = true; });
  queuedBehind.set_value();
  ranAgain.get_future().wait();
  queue.cancelPendingAndWait();
  EXPECT_FALSE(pendingRan);
}

}  // namespace
