// CPU cost of dynamics frames in the real view tree and compositor, headless
// at 1920x1080: the Swipe dot in flight after a fling, three dots falling and
// bouncing in one animator, and what a resting scene costs (nothing: the
// animator stops observing frames). Reports figures; it asserts nothing.
#include <time.h>
#include <unistd.h>
#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "actions/swipe/SwipeActionViewController.h"
#include "app/AppDelegate.h"
#include "platform/dynamics/CollisionBehavior.h"
#include "platform/dynamics/DynamicAnimator.h"
#include "platform/dynamics/DynamicItemBehavior.h"
#include "platform/dynamics/GravityBehavior.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "resources/Resources.h"
#include "settings/Defaults.h"
#include "shared/App.h"
#include "shared/DotView.h"
#include "stage/MasterViewController.h"
#include "update/UpdateCheck.h"

namespace {

constexpr double kFrame = 1.0 / 60;

// Measures every frame while `running` holds, up to `limit` frames.
template <class Running>
void measureFrames(Stats& stats, int limit, Running running) {
  auto& main = foundation::RunLoop::main();
  for (int i = 0; i < limit && running(); ++i) {
    double before = cpuSeconds();
    main.advance(kFrame);
    stats.samples.push_back(cpuSeconds() - before);
  }
}

void reportRest(const char* what, const std::shared_ptr<ui::Window>& window) {
  auto& main = foundation::RunLoop::main();
  std::size_t frames = window->framesPresented();
  double before = cpuSeconds();
  main.advance(10);
  std::printf("%-44s CPU %.4f s, frames presented %zu, loop idle: %s\n", what,
              cpuSeconds() - before, window->framesPresented() - frames,
              main.hasPendingWork() ? "no" : "yes");
}

}  // namespace

int main() {
  HeadlessBench bench(2);
  if (!bench.window()) return 1;
  auto app = ui::Application::shared();
  auto& main = foundation::RunLoop::main();
  auto window = app->keyWindow();
  main.advance(3);
  auto swipe = std::dynamic_pointer_cast<SwipeActionViewController>(
      App::masterViewController->currentActionViewController);

  // Swipe: drag the dot to the left and fling it right and down, repeatedly.
  Stats flight;
  std::size_t framesBefore = window->framesPresented();
  for (int fling = 0; fling < 20; ++fling) {
    auto dot = swipe->swipeDotView();
    foundation::Point p{300, 300};
    dot->setCenter(p);
    window->sendTouch({1, ui::TouchPhase::Began, p, main.now()});
    for (int i = 0; i < 5; ++i) {
      main.advance(kFrame);
      p = p + foundation::Point{30, 10};
      window->sendTouch({1, ui::TouchPhase::Moved, p, main.now()});
    }
    window->sendTouch({1, ui::TouchPhase::Ended, p, main.now()});
    measureFrames(flight, 120, [] { return true; });
  }
  std::size_t flightFrames = window->framesPresented() - framesBefore;
  // Brake it and let it rest.
  swipe->brakeDot();
  main.advance(5);
  reportRest("Swipe at rest, 10 s", window);

  // Three dots under gravity (0, 0.8), colliding, in a second animator.
  auto stage = swipe->view();
  std::vector<std::shared_ptr<ui::View>> dots;
  for (int i = 0; i < 3; ++i) {
    auto dot =
        foundation::create<DotView>(foundation::Rect{400.0 + 500 * i, 100.0 + 80 * i, 64, 64});
    stage->addSubview(dot);
    dots.push_back(dot);
  }
  auto animator = foundation::create<dynamics::DynamicAnimator>(stage);
  auto collision = foundation::create<dynamics::CollisionBehavior>(dots);
  collision->setTranslatesReferenceBoundsIntoBoundaryWithInsets({});
  auto gravity = foundation::create<dynamics::GravityBehavior>(dots);
  gravity->setGravityDirection({0, 0.8});
  auto material = foundation::create<dynamics::DynamicItemBehavior>(dots);
  material->setAllowsRotation(false);
  material->setElasticity(0.76);
  material->setFriction(0.06);
  animator->addBehavior(collision);
  animator->addBehavior(gravity);
  animator->addBehavior(material);
  Stats falling;
  measureFrames(falling, 60 * 30, [&] { return animator->isRunning(); });
  std::printf("headless 1920x1080, scale 1, software compositing\n");
  flight.print("CPU per frame, Swipe dot in flight");
  std::printf("%-44s %zu\n", "  frames presented during the flings", flightFrames);
  falling.print("CPU per frame, three dots falling");
  std::printf("%-44s %.1f s\n", "three dots came to rest after", falling.samples.size() * kFrame);
  reportRest("three dots at rest, 10 s", window);
  return 0;
}
