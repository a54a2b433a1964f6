#include "platform/foundation/RunLoop.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <utility>

namespace foundation {

namespace {
constexpr double kForever = std::numeric_limits<double>::infinity();

std::unique_ptr<RunLoop>& mainSlot() {
  static std::unique_ptr<RunLoop> loop;
  return loop;
}
std::shared_ptr<VirtualClock>& virtualClockSlot() {
  static std::shared_ptr<VirtualClock> clock;
  return clock;
}

// The loop inside run() or advance() on this thread, where atEndOfTurn() gathers its work. Only
// that thread touches the work it gathers, so it needs no lock.
thread_local RunLoop* loopRunningHere = nullptr;

class RunningHere {
 public:
  explicit RunningHere(RunLoop* loop) : outer_(loopRunningHere) { loopRunningHere = loop; }
  ~RunningHere() { loopRunningHere = outer_; }
  RunningHere(const RunningHere&) = delete;
  RunningHere& operator=(const RunningHere&) = delete;

 private:
  RunLoop* outer_;
};
}  // namespace

RunLoop& RunLoop::main() {
  auto& slot = mainSlot();
  if (!slot) slot = std::make_unique<RunLoop>(std::make_shared<SteadyClock>());
  return *slot;
}

VirtualClock& RunLoop::resetMainWithVirtualClock() {
  auto clock = std::make_shared<VirtualClock>();
  virtualClockSlot() = clock;
  mainSlot() = std::make_unique<RunLoop>(clock);
  return *clock;
}

RunLoop::RunLoop(std::shared_ptr<Clock> clock) : clock_(std::move(clock)) {
  static std::uint64_t loops = 0;
  identity_ = ++loops;
}

void RunLoop::setEventSource(std::shared_ptr<EventSource> source) {
  std::lock_guard lock(postedMutex_);
  source_ = std::move(source);
}

void RunLoop::post(std::function<void()> fn) {
  std::shared_ptr<EventSource> source;
  {
    std::lock_guard lock(postedMutex_);
    if (shutDown_) return;  // fn goes once the lock is released
    posted_.push_back(std::move(fn));
    source = source_;
  }
  if (source) source->wake();
}

std::shared_ptr<Timer> RunLoop::schedule(double delay, std::function<void()> fn, double tolerance) {
  auto timer = std::make_shared<Timer>(now() + std::max(0.0, delay), std::max(0.0, tolerance),
                                       std::move(fn), timerSequence_++);
  if (shutDown_) {
    timer->invalidate();
  } else {
    timers_.push_back(timer);
  }
  return timer;
}

std::uint64_t RunLoop::addFrameObserver(FrameObserver observer) {
  auto id = nextObserverId_++;
  if (!shutDown_) frameObservers_.emplace(id, std::move(observer));
  return id;
}

void RunLoop::removeFrameObserver(std::uint64_t id) {
  frameObservers_.erase(id);
}

void RunLoop::setNeedsFrame() {
  needsFrame_ = true;
}

bool RunLoop::hasPendingWork() const {
  std::lock_guard lock(postedMutex_);
  return !posted_.empty() || !timers_.empty() || needsFrame_ || !frameObservers_.empty();
}

double RunLoop::nextDeadline() const {
  {
    std::lock_guard lock(postedMutex_);
    if (!posted_.empty()) return now();
  }
  // Each timer is due from its fire date to the end of its tolerance, a frame
  // at its time only (an invalidated timer now, to be dropped). The latest
  // wake that leaves nothing overdue gathers the most work into one; it comes
  // at the last start due by then. So a tolerance only ever delays a timer to
  // share a wake-up: with nothing else due it fires at its fire date.
  double latest = kForever;
  for (const auto& t : timers_) latest = std::min(latest, t->valid_ ? t->deadline() : now());
  double frame = frameWanted() ? std::max(now(), lastFrame_ + frameInterval_) : kForever;
  latest = std::min(latest, frame);
  if (latest == kForever) return kForever;
  double wake = frame <= latest ? frame : -kForever;
  for (const auto& t : timers_) {
    double start = t->valid_ ? t->fireDate_ : now();
    if (start <= latest) wake = std::max(wake, start);
  }
  return wake;
}

void RunLoop::runPosted() {
  // Only what was posted before this pass: a closure that posts again runs next pass.
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(postedMutex_);
    batch.swap(posted_);
  }
  for (auto& fn : batch) fn();
}

void RunLoop::fireTimers() {
  double t = now();
  std::vector<std::shared_ptr<Timer>> due;
  std::erase_if(timers_, [&](const std::shared_ptr<Timer>& timer) {
    if (!timer->valid_) return true;
    if (timer->fireDate_ <= t) {
      due.push_back(timer);
      return true;
    }
    return false;
  });
  std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) {
    return a->fireDate_ != b->fireDate_ ? a->fireDate_ < b->fireDate_ : a->sequence_ < b->sequence_;
  });
  for (auto& timer : due) {
    if (!timer->valid_) continue;  // invalidated by an earlier timer of this pass
    auto action = std::move(timer->action_);
    timer->invalidate();
    if (action) action();
  }
}

void RunLoop::runFrame() {
  double t = now();
  if (!frameWanted() || t < lastFrame_ + frameInterval_) return;
  lastFrame_ = t;
  needsFrame_ = false;
  if (layoutHook_) layoutHook_();
  // Observers may add or remove observers while they run.
  std::vector<std::uint64_t> ids;
  for (auto& [id, _] : frameObservers_) ids.push_back(id);
  for (auto id : ids) {
    auto it = frameObservers_.find(id);
    if (it == frameObservers_.end()) continue;
    auto observer = it->second;
    if (!observer(t)) frameObservers_.erase(id);
  }
  if (renderHook_) renderHook_(t);
}

bool RunLoop::atEndOfTurn(std::function<void()> fn) {
  if (loopRunningHere == nullptr) return false;
  loopRunningHere->endOfTurn_.push_back(std::move(fn));
  return true;
}

void RunLoop::runEndOfTurn() {
  // What this work asks for in turn still belongs to the same turn.
  while (!endOfTurn_.empty()) {
    auto batch = std::move(endOfTurn_);
    endOfTurn_.clear();
    for (auto& fn : batch) fn();
  }
}

void RunLoop::runDue() {
  runPosted();
  fireTimers();
  runFrame();
  runEndOfTurn();
}

void RunLoop::run() {
  RunningHere here(this);
  running_ = true;
  while (running_) {
    runDue();
    if (!running_) break;
    double wait = nextDeadline() - now();
    if (source_) {
      source_->waitAndDispatch(std::max(0.0, wait));
    } else if (wait == kForever) {
      break;  // nothing can ever arrive
    }
  }
  // Input that asked to stop the loop may have asked for end-of-turn work too.
  runEndOfTurn();
  running_ = false;
}

void RunLoop::stop() {
  running_ = false;
  if (source_) source_->wake();
}

void RunLoop::shutDown() {
  // Destroyed at the end of this call, outside the lock: a closure's captures
  // may post on their way out.
  std::deque<std::function<void()>> posted;
  std::shared_ptr<EventSource> source;
  {
    std::lock_guard lock(postedMutex_);
    shutDown_ = true;
    posted.swap(posted_);
    source = std::move(source_);
  }
  auto timers = std::exchange(timers_, {});
  for (auto& timer : timers) timer->invalidate();
  auto observers = std::exchange(frameObservers_, {});
  auto layoutHook = std::exchange(layoutHook_, nullptr);
  auto renderHook = std::exchange(renderHook_, nullptr);
  needsFrame_ = false;
  running_ = false;
}

void RunLoop::advance(double seconds) {
  auto clock = std::dynamic_pointer_cast<VirtualClock>(clock_);
  assert(clock && "advance() needs a virtual clock");
  if (!clock) return;
  RunningHere here(this);
  double target = clock->now() + std::max(0.0, seconds);
  // Bounded so that work that keeps rescheduling itself at the same instant cannot hang a test.
  for (int guard = 0; guard < 1000000; ++guard) {
    runDue();
    double next = nextDeadline();
    if (next > target) break;
    clock->set(std::max(clock->now(), next));
  }
  clock->set(target);
  runDue();
}

}  // namespace foundation
