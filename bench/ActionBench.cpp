// CPU per frame of every action in the real view tree and compositor, headless
// on the virtual clock, at the size and scale given on the command line: Touch
// taps (the fade), Gravity loads (the fall until rest), Swipe flings, Connect
// presses, Magnet drags (the swing back) and Paint moves. Prints one line per
// action for bench/run to gather:
//   frames ACTION N MEDIAN_MS P99_MS MAX_MS
//   press Connect N MEDIAN_MS P99_MS MAX_MS
// Reports figures; it asserts nothing.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "BenchSupport.h"
#include "actions/connect/ConnectActionViewController.h"
#include "actions/gravity/GravityActionViewController.h"
#include "actions/magnet/MagnetActionViewController.h"
#include "actions/swipe/SwipeActionViewController.h"
#include "actions/touch/TouchActionViewController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/motion/MotionManager.h"
#include "platform/ui/Window.h"
#include "shared/App.h"
#include "shared/DotView.h"
#include "stage/MasterViewController.h"

namespace {

constexpr double kFrame = 1.0 / 60;

foundation::RunLoop& loop() {
  return foundation::RunLoop::main();
}

// One frame of the run loop, its CPU time added to `stats`.
void measuredFrame(Stats& stats) {
  double before = cpuSeconds();
  loop().advance(kFrame);
  stats.samples.push_back(cpuSeconds() - before);
}

template <class T>
std::shared_ptr<T> install(std::int64_t action) {
  App::masterViewController->installAction(action);
  loop().advance(0.5);
  return std::dynamic_pointer_cast<T>(App::masterViewController->currentActionViewController);
}

void touch(ui::Window& window, ui::TouchPhase phase, foundation::Point p) {
  window.sendTouch({1, phase, p, loop().now()});
}

void print(const char* kind, const char* action, Stats& stats) {
  std::printf("%s %s %zu %.3f %.3f %.3f\n", kind, action, stats.samples.size(),
              stats.quantileMs(0.5), stats.quantileMs(0.99), stats.quantileMs(1));
}

void touchTaps(ui::Window& window, Stats& frames) {
  auto screen = install<TouchActionViewController>(0);
  for (int tap = 0; tap < 200; ++tap) {
    auto centre = screen->touchDotView()->center();
    touch(window, ui::TouchPhase::Began, centre);
    measuredFrame(frames);
    touch(window, ui::TouchPhase::Ended, centre);
    // The fade lasts 0.06 s: every frame until the dot shows again.
    for (int i = 0; i < 6; ++i) measuredFrame(frames);
    loop().advance(0.2);
  }
}

void gravityFalls(Stats& frames) {
  for (int load = 0; load < 5; ++load) {
    auto screen = install<GravityActionViewController>(1);
    for (int i = 0; i < 60 * 30 && screen->dynamicAnimator->isRunning(); ++i) {
      measuredFrame(frames);
    }
  }
}

void swipeFlings(ui::Window& window, Stats& frames) {
  auto screen = install<SwipeActionViewController>(2);
  loop().advance(3);
  auto size = window.bounds().size;
  for (int fling = 0; fling < 20; ++fling) {
    foundation::Point p{size.width * 0.2, size.height * 0.3};
    screen->swipeDotView()->setCenter(p);
    touch(window, ui::TouchPhase::Began, p);
    for (int i = 0; i < 5; ++i) {
      measuredFrame(frames);
      p = p + foundation::Point{size.width * 0.015, size.height * 0.01};
      touch(window, ui::TouchPhase::Moved, p);
    }
    touch(window, ui::TouchPhase::Ended, p);
    for (int i = 0; i < 120; ++i) measuredFrame(frames);
  }
}

void connectPresses(ui::Window& window, Stats& frames, Stats& presses) {
  auto screen = install<ConnectActionViewController>(3);
  auto count = static_cast<std::int64_t>(screen->centerPoints.size());
  for (int press = 0; press < 300; ++press) {
    if (press % 50 == 0) screen = install<ConnectActionViewController>(3);
    count = static_cast<std::int64_t>(screen->centerPoints.size());
    // A dot off the line, so that every press moves it.
    std::int64_t number = press % count;
    while (number == screen->beginningPointNumber || number == screen->endPointNumber) {
      number = (number + 1) % count;
    }
    auto centre = screen->centerPoints[static_cast<std::size_t>(number)];
    touch(window, ui::TouchPhase::Began, centre);
    measuredFrame(frames);
    double before = cpuSeconds();
    touch(window, ui::TouchPhase::Ended, centre);
    loop().advance(0);
    double spent = cpuSeconds() - before;
    presses.samples.push_back(spent);
    frames.samples.push_back(spent);
    loop().advance(kFrame);
  }
}

void magnetDrags(ui::Window& window, Stats& frames) {
  auto screen = install<MagnetActionViewController>(4);
  loop().advance(3);
  auto size = window.bounds().size;
  for (int drag = 0; drag < 10; ++drag) {
    foundation::Point p = screen->magnetDotView()->center();
    touch(window, ui::TouchPhase::Began, p);
    for (int i = 0; i < 20; ++i) {
      p = p + foundation::Point{size.width * 0.01, size.height * 0.008};
      touch(window, ui::TouchPhase::Moved, p);
      measuredFrame(frames);
    }
    touch(window, ui::TouchPhase::Ended, p);
    // The spring swings it back; every frame until the animator rests.
    for (int i = 0; i < 60 * 20 && screen->dynamicAnimator->isRunning(); ++i) {
      measuredFrame(frames);
    }
    loop().advance(2);
  }
}

void paintMoves(ui::Window& window, Stats& frames) {
  install<ui::ViewController>(5);
  auto size = window.bounds().size;
  // A finger wandering over the middle of the window: a slow circle with a
  // wobble, so that nearly every move lands on new ground.
  auto fingerAt = [&](int move) {
    double t = move * 0.02;
    double r = size.height * (0.083 + 0.037 * std::sin(t * 3.1));
    return foundation::Point{size.width / 2 + r * std::cos(t * 1.7),
                             size.height / 2 + r * std::sin(t * 1.7)};
  };
  touch(window, ui::TouchPhase::Began, fingerAt(0));
  loop().advance(0.02);
  for (int move = 1; move <= 1000; ++move) {
    double before = cpuSeconds();
    touch(window, ui::TouchPhase::Moved, fingerAt(move));
    loop().advance(0);
    frames.samples.push_back(cpuSeconds() - before);
    loop().advance(0.02);
  }
  touch(window, ui::TouchPhase::Ended, fingerAt(1000));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT SCALE (the window in points)\n", argv[0]);
    return 2;
  }
  foundation::Size size{std::atof(argv[1]), std::atof(argv[2])};
  double scale = std::atof(argv[3]);
  // The machine this runs on has no motion sensor; say so without probing for one.
  motion::MotionManager::setAvailabilityOverride(false);
  // What the actions print as they load is not part of the figures.
  std::fflush(stdout);
  int console = dup(STDOUT_FILENO);
  if (!std::freopen("/dev/null", "w", stdout)) return 1;
  HeadlessBench bench(0, size, scale);
  if (!bench.window()) return 1;
  auto& window = *bench.window();

  Stats touchFrames, gravityFrames, swipeFrames, connectFrames, connectPresses_, magnetFrames,
      paintFrames;
  touchTaps(window, touchFrames);
  gravityFalls(gravityFrames);
  swipeFlings(window, swipeFrames);
  connectPresses(window, connectFrames, connectPresses_);
  magnetDrags(window, magnetFrames);
  paintMoves(window, paintFrames);

  std::fflush(stdout);
  dup2(console, STDOUT_FILENO);
  print("frames", "Touch", touchFrames);
  print("frames", "Gravity", gravityFrames);
  print("frames", "Swipe", swipeFrames);
  print("frames", "Connect", connectFrames);
  print("frames", "Magnet", magnetFrames);
  print("frames", "Paint", paintFrames);
  print("press", "Connect", connectPresses_);
  return 0;
}
