#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/foundation/Clock.h"
#include "platform/foundation/Timer.h"

namespace foundation {

// How the loop sleeps and is woken: the window system's event queue in the app,
// nothing at all in headless tests (they advance a virtual clock instead).
class EventSource {
 public:
  virtual ~EventSource() = default;
  // Sleeps at most `seconds` (infinite: until input or wake()), dispatching any
  // input that arrives. Called on the main thread only.
  virtual void waitAndDispatch(double seconds) = 0;
  // Any thread: makes a pending waitAndDispatch return soon.
  virtual void wake() = 0;
};

// The one loop of the main thread: posted closures, timers, and display frames.
// It runs frames only while a frame observer is registered or a frame was asked
// for, so a still window costs nothing; between events it sleeps in the source.
class RunLoop {
 public:
  using FrameObserver = std::function<bool(double now)>;  // false: remove me

  static RunLoop& main();
  // Tests: a fresh main loop on a virtual clock, with no event source.
  static VirtualClock& resetMainWithVirtualClock();

  explicit RunLoop(std::shared_ptr<Clock> clock);

  double now() const { return clock_->now(); }
  void setEventSource(std::shared_ptr<EventSource> source);
  void setFrameInterval(double seconds) { frameInterval_ = seconds; }

  // Any thread: runs fn on the main thread in a later pass, in posting order.
  void post(std::function<void()> fn);

  // Main thread: a one-shot timer after `delay` seconds (never within this call).
  std::shared_ptr<Timer> schedule(double delay, std::function<void()> fn, double tolerance = 0);

  // Called once per display frame until it returns false.
  std::uint64_t addFrameObserver(FrameObserver observer);
  void removeFrameObserver(std::uint64_t id);
  // Ask for one frame. Each frame runs the layout hook, then the observers, then the render hook:
  // observers (animations, dynamics) see views already in the geometry the frame will show.
  void setNeedsFrame();
  void setLayoutHook(std::function<void()> hook) { layoutHook_ = std::move(hook); }
  void setRenderHook(std::function<void(double now)> hook) { renderHook_ = std::move(hook); }

  // Runs fn when the turn of the loop running on the calling thread ends: after that turn's input,
  // posted closures, timers and frame, before the loop sleeps again or returns. Work that must
  // happen once per turn, however often it was asked for, gathers here. Returns false and drops
  // fn when no loop runs on the calling thread; the caller then does the work itself at once.
  static bool atEndOfTurn(std::function<void()> fn);

  void run();
  void stop();
  bool isRunning() const { return running_; }
  // Main thread, once the loop has run for the last time: drops every posted
  // closure, timer and frame observer, and turns later posts, timers and
  // frame observers into no-ops, so that nothing reaches the loop while the
  // program takes itself apart. A closure posted afterwards, from any thread,
  // is destroyed there without running.
  void shutDown();

  // Virtual-clock driving: runs all work due up to now + seconds, in time order,
  // frames included, and leaves the clock there. Only with a VirtualClock.
  void advance(double seconds);
  // Runs what is due at the current time without moving the clock.
  void drain() { advance(0); }

  bool hasPendingWork() const;
  // Distinct for every loop made in this process, so that helpers tied to one
  // loop notice when a test replaced it.
  std::uint64_t identity() const { return identity_; }

 private:
  double nextDeadline() const;  // absolute time of the next wake-up; +inf if none
  void runDue();
  void runPosted();
  void fireTimers();
  void runFrame();
  void runEndOfTurn();
  bool frameWanted() const { return needsFrame_ || !frameObservers_.empty(); }

  std::shared_ptr<Clock> clock_;
  std::shared_ptr<EventSource> source_;  // set under postedMutex_, on the main thread
  mutable std::mutex postedMutex_;
  std::deque<std::function<void()>> posted_;
  std::vector<std::shared_ptr<Timer>> timers_;
  std::uint64_t timerSequence_ = 0;
  std::map<std::uint64_t, FrameObserver> frameObservers_;
  std::uint64_t nextObserverId_ = 1;
  bool needsFrame_ = false;
  double lastFrame_ = -1e9;
  double frameInterval_ = 1.0 / 60;
  std::function<void()> layoutHook_;
  std::function<void(double)> renderHook_;
  std::vector<std::function<void()>> endOfTurn_;
  bool running_ = false;
  bool shutDown_ = false;  // written under postedMutex_, on the main thread
  std::uint64_t identity_;
};

}  // namespace foundation
