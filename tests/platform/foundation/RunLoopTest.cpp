#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/RunLoop.h"

using foundation::RunLoop;

namespace {

class RunLoopTest : public ::testing::Test {
 protected:
  void SetUp() override { RunLoop::resetMainWithVirtualClock(); }
  RunLoop& loop() { return RunLoop::main(); }
};

TEST_F(RunLoopTest, PostedClosuresRunInOrderOnALaterPassNeverWithinTheCall) {
  std::vector<int> order;
  loop().post([&] {
    order.push_back(1);
    // Posted while running: waits for the next pass, after what was queued before it.
    loop().post([&] { order.push_back(3); });
  });
  loop().post([&] { order.push_back(2); });
  EXPECT_TRUE(order.empty());
  loop().drain();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(RunLoopTest, TimersFireAtTheirDateInDateThenSchedulingOrder) {
  std::vector<std::string> fired;
  loop().schedule(0.6, [&] { fired.push_back("brake"); });
  loop().schedule(0.1, [&] { fired.push_back("choices"); });
  loop().schedule(0.1, [&] { fired.push_back("second at 0.1"); });
  loop().schedule(0.0, [&] { fired.push_back("zero"); });
  EXPECT_TRUE(fired.empty()) << "a zero delay still waits for a later pass";
  loop().advance(0.0999);
  EXPECT_EQ(fired, (std::vector<std::string>{"zero"}));
  loop().advance(0.0001);
  EXPECT_EQ(fired.size(), 3u);
  EXPECT_EQ(fired[1], "choices");
  EXPECT_EQ(fired[2], "second at 0.1");
  loop().advance(0.5);
  EXPECT_EQ(fired.back(), "brake");
  EXPECT_DOUBLE_EQ(loop().now(), 0.6);
}

TEST_F(RunLoopTest, ATimerNeverFiresEarlyAndFiresWithinItsTolerance) {
  double firedAt = -1;
  auto timer = loop().schedule(
      2.0, [&] { firedAt = loop().now(); }, 1.0);
  loop().advance(1.999);
  EXPECT_LT(firedAt, 0);
  loop().advance(1.5);
  EXPECT_GE(firedAt, 2.0);
  EXPECT_LE(firedAt, 3.0);
  EXPECT_DOUBLE_EQ(firedAt, 2.0) << "with nothing else due it is not late at all";
  EXPECT_FALSE(timer->isValid()) << "a one-shot timer is spent once fired";

  // The tolerance lets it wait for work due within it, to share the wake-up,
  // and never for work due beyond it.
  std::vector<std::pair<std::string, double>> fired;
  double start = loop().now();
  auto record = [&](std::string name) {
    return [&, name] { fired.emplace_back(name, loop().now() - start); };
  };
  loop().schedule(1.0, record("tolerant"), 1.0);
  loop().schedule(1.6, record("strict"));
  loop().advance(3.0);
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_EQ(fired[0].first, "tolerant");
  EXPECT_NEAR(fired[0].second, 1.6, 1e-9) << "together with the strict timer";
  EXPECT_NEAR(fired[1].second, 1.6, 1e-9);

  fired.clear();
  start = loop().now();
  loop().schedule(1.0, record("tolerant"), 1.0);
  loop().schedule(2.5, record("beyond"));
  loop().advance(3.0);
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_NEAR(fired[0].second, 1.0, 1e-9) << "nothing to share within its tolerance";
  EXPECT_NEAR(fired[1].second, 2.5, 1e-9);
}

// Sleeps as a window system's event queue does when no input comes.
class SleepingSource : public foundation::EventSource {
 public:
  void waitAndDispatch(double seconds) override {
    std::this_thread::sleep_for(std::chrono::duration<double>(std::min(seconds, 5.0)));
  }
  void wake() override {}
};

TEST(RunLoopOnTheRealClockTest, ATimerWithNothingToShareItsWakeUpIsNotKeptWaiting) {
  RunLoop loop(std::make_shared<foundation::SteadyClock>());
  loop.setEventSource(std::make_shared<SleepingSource>());
  double start = loop.now();
  double firedAfter = -1;
  loop.schedule(
      0.2,
      [&] {
        firedAfter = loop.now() - start;
        loop.stop();
      },
      1.0);
  loop.run();
  EXPECT_GE(firedAfter, 0.2);
  // Waiting out the tolerance would make it 1.2 s; the margin is for a loaded machine.
  EXPECT_LT(firedAfter, 0.9);
}

TEST_F(RunLoopTest, MovingTheFireDateReschedulesAndInvalidationCancels) {
  int fired = 0;
  auto moved = loop().schedule(1.0, [&] { ++fired; });
  loop().advance(0.5);
  moved->setFireDate(loop().now() + 1.0);  // pushed back, as an idle timer is by every touch
  loop().advance(0.9);
  EXPECT_EQ(fired, 0);
  loop().advance(0.2);
  EXPECT_EQ(fired, 1);

  auto cancelled = loop().schedule(0.1, [&] { fired += 10; });
  cancelled->invalidate();
  loop().advance(1.0);
  EXPECT_EQ(fired, 1);
}

TEST_F(RunLoopTest, ATimerInvalidatedByAnEarlierTimerOfTheSamePassDoesNotFire) {
  int fired = 0;
  std::shared_ptr<foundation::Timer> second;
  loop().schedule(1.0, [&] { second->invalidate(); });
  second = loop().schedule(1.0, [&] { ++fired; });
  loop().advance(1.0);
  EXPECT_EQ(fired, 0);
}

TEST_F(RunLoopTest, DelayedClosuresHoldTheirObjectWeakly) {
  struct Thing {
    int hits = 0;
  };
  auto thing = std::make_shared<Thing>();
  std::weak_ptr<Thing> weak = thing;
  loop().schedule(0.1, [weak] {
    if (auto t = weak.lock()) ++t->hits;
  });
  auto survivor = std::make_shared<Thing>();
  std::weak_ptr<Thing> weakSurvivor = survivor;
  loop().schedule(0.1, [weakSurvivor] {
    if (auto t = weakSurvivor.lock()) ++t->hits;
  });
  thing.reset();
  loop().advance(0.2);
  EXPECT_TRUE(weak.expired()) << "the pending closure must not keep its object alive";
  EXPECT_EQ(survivor->hits, 1);
}

TEST_F(RunLoopTest, FramesRunAtTheFrameIntervalOnlyWhileSomebodyWantsThem) {
  loop().setFrameInterval(1.0 / 60);
  int renders = 0;
  loop().setRenderHook([&](double) { ++renders; });
  loop().advance(1.0);
  EXPECT_EQ(renders, 0) << "an idle loop draws nothing";

  std::vector<double> ticks;
  loop().addFrameObserver([&](double now) {
    ticks.push_back(now);
    return ticks.size() < 10;
  });
  loop().advance(1.0);
  ASSERT_EQ(ticks.size(), 10u) << "the observer removed itself after ten frames";
  for (std::size_t i = 1; i < ticks.size(); ++i)
    EXPECT_NEAR(ticks[i] - ticks[i - 1], 1.0 / 60, 1e-9);
  EXPECT_EQ(renders, 10);
  EXPECT_FALSE(loop().hasPendingWork()) << "nothing left: the loop may sleep";

  loop().setNeedsFrame();
  loop().advance(0.1);
  EXPECT_EQ(renders, 11) << "one request, one frame";
}

TEST_F(RunLoopTest, WorkPostedFromABackgroundQueueReachesTheMainLoop) {
  foundation::DispatchQueue queue("test");
  std::atomic<bool> posted{false};
  std::thread::id worker;
  std::thread::id ran;
  queue.async([&] {
    worker = std::this_thread::get_id();
    RunLoop::main().post([&] { ran = std::this_thread::get_id(); });
    posted = true;
  });
  while (!posted) std::this_thread::yield();
  loop().drain();
  EXPECT_NE(worker, std::this_thread::get_id());
  EXPECT_EQ(ran, std::this_thread::get_id());
}

TEST_F(RunLoopTest, AfterShutDownNothingRunsAndPostsFromAnyThreadAreDropped) {
  int ran = 0;
  loop().post([&] { ++ran; });
  loop().schedule(0.1, [&] { ++ran; });
  loop().addFrameObserver([&](double) { return ++ran, true; });
  loop().shutDown();

  auto capture = std::make_shared<int>(0);
  std::weak_ptr<int> watch = capture;
  std::thread poster([&, capture = std::move(capture)]() mutable {
    RunLoop::main().post([&ran, capture = std::move(capture)] { ++ran; });
  });
  poster.join();
  EXPECT_TRUE(watch.expired()) << "a dropped closure lets go of its captures at once";
  loop().schedule(0, [&] { ++ran; });
  loop().addFrameObserver([&](double) { return ++ran, true; });
  loop().advance(1.0);
  EXPECT_EQ(ran, 0);
  EXPECT_FALSE(loop().hasPendingWork());
}

// Stands in for the window system's queue: each wait delivers the next scripted input.
class ScriptedInput : public foundation::EventSource {
 public:
  ScriptedInput(std::vector<std::string>* log, std::vector<std::function<void()>> inputs)
      : log_(log), inputs_(std::move(inputs)) {}
  void waitAndDispatch(double) override {
    log_->push_back("sleep");
    if (next_ < inputs_.size()) inputs_[next_++]();
  }
  void wake() override {}

 private:
  std::vector<std::string>* log_;
  std::vector<std::function<void()>> inputs_;
  std::size_t next_ = 0;
};

TEST_F(RunLoopTest, EndOfTurnWorkRunsOnceTheTurnsWorkIsDoneBeforeTheLoopSleeps) {
  std::vector<std::string> log;
  auto note = [&log](std::string what) { return [&log, what] { log.push_back(what); }; };
  EXPECT_FALSE(RunLoop::atEndOfTurn(note("outside a loop"))) << "nothing would ever run it";

  loop().post([&] {
    EXPECT_TRUE(RunLoop::atEndOfTurn([&] {
      log.push_back("end");
      RunLoop::atEndOfTurn(note("asked for by end-of-turn work"));
    }));
    std::thread([&] { EXPECT_FALSE(RunLoop::atEndOfTurn(note("other thread"))); }).join();
    log.push_back("posted");
  });
  loop().schedule(0, note("timer"));
  loop().setNeedsFrame();
  loop().setRenderHook([&](double) { log.push_back("frame"); });
  loop().drain();
  EXPECT_EQ(log, (std::vector<std::string>{"posted", "timer", "frame", "end",
                                           "asked for by end-of-turn work"}));

  // Input arrives while the loop waits; what it asks for runs before the loop waits again, and
  // also when that input stops the loop.
  log.clear();
  loop().setRenderHook(nullptr);
  loop().setEventSource(std::make_shared<ScriptedInput>(
      &log, std::vector<std::function<void()>>{[&] {
                                                 log.push_back("click");
                                                 RunLoop::atEndOfTurn(note("end of click"));
                                               },
                                               [&] {
                                                 log.push_back("quit");
                                                 RunLoop::atEndOfTurn(note("end of quit"));
                                                 loop().stop();
                                               }}));
  loop().run();
  EXPECT_EQ(log, (std::vector<std::string>{"sleep", "click", "end of click", "sleep", "quit",
                                           "end of quit"}));
}

}  // namespace
