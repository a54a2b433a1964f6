#include "platform/ui/ViewAnimation.h"

#include <cmath>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/View.h"

namespace ui {

namespace {

struct Transaction {
  std::shared_ptr<AnimationGroup> group;
  double duration = 0;
};

std::vector<Transaction>& transactions() {
  static std::vector<Transaction> stack;
  return stack;
}

struct Tracker {
  std::vector<std::weak_ptr<View>> views;
  // The loop it observes; a test that makes a fresh loop gets a fresh observer.
  std::uint64_t loop = 0;
};

Tracker& tracker() {
  static Tracker t;
  return t;
}

double bezier(double a, double b, double t) {
  // One coordinate of a cubic Bézier from 0 to 1 with control values a and b.
  double u = 1 - t;
  return 3 * u * u * t * a + 3 * u * t * t * b + t * t * t;
}

}  // namespace

void AnimationGroup::end(bool ranToEnd) {
  finished = finished && ranToEnd;
  if (--pending > 0 || !completion) return;
  auto done = std::move(completion);
  completion = nullptr;
  bool result = finished;
  // Completions run after the frame that ended them, on the main loop.
  foundation::RunLoop::main().post([done = std::move(done), result] { done(result); });
}

void ViewAnimation::animate(double duration, const std::function<void()>& animations,
                            std::function<void(bool finished)> completion) {
  auto group = std::make_shared<AnimationGroup>();
  group->completion = std::move(completion);
  // The group holds one count of its own until the block has run, so that a
  // block that animates nothing still completes, and only once.
  group->pending = 1;
  if (duration > 0) transactions().push_back({group, duration});
  if (animations) animations();
  if (duration > 0) transactions().pop_back();
  group->end(true);
}

std::shared_ptr<AnimationGroup> ViewAnimation::currentGroup() {
  return transactions().empty() ? nullptr : transactions().back().group;
}

double ViewAnimation::currentDuration() {
  return transactions().empty() ? 0 : transactions().back().duration;
}

void ViewAnimation::track(const std::shared_ptr<View>& view) {
  auto& t = tracker();
  t.views.push_back(view);
  auto& loop = foundation::RunLoop::main();
  if (t.loop == loop.identity()) return;
  t.loop = loop.identity();
  loop.addFrameObserver([](double now) {
    auto& t = tracker();
    std::vector<std::weak_ptr<View>> views;
    views.swap(t.views);
    for (auto& weak : views) {
      auto view = weak.lock();
      if (view && view->stepAnimations(now)) t.views.push_back(weak);
    }
    if (!t.views.empty()) return true;
    t.loop = 0;
    return false;
  });
}

double ViewAnimation::easeInOut(double t) {
  if (t <= 0) return 0;
  if (t >= 1) return 1;
  // Solve x(s) = t for the curve parameter s by Newton's method, then take y(s).
  double s = t;
  for (int i = 0; i < 8; ++i) {
    double x = bezier(0.42, 0.58, s) - t;
    double u = 1 - s;
    double dx = 3 * u * u * 0.42 + 6 * u * s * (0.58 - 0.42) + 3 * s * s * (1 - 0.58);
    if (std::fabs(x) < 1e-9 || dx < 1e-9) break;
    s -= x / dx;
  }
  return bezier(0, 1, s);
}

}  // namespace ui
