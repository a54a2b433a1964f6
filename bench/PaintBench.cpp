// CPU cost of painting in the real view tree and compositor, headless at
// 1920x1080: one paint touch event up to its presented frame, a 10-second drag
// of 500 moves 20 ms apart, and the resident memory over ten minutes of
// continuous painting. Reports figures; it asserts nothing.
#include <time.h>
#include <unistd.h>
#include "BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "actions/paint/PaintActionViewController.h"
#include "actions/paint/PaintBackgroundView.h"
#include "app/AppDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "resources/Resources.h"
#include "settings/Defaults.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"
#include "update/UpdateCheck.h"

namespace {

double rssMiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// A finger wandering over the middle of the window: a slow circle with a wobble,
// so that nearly every move lands on a new blob corner inside any of the shapes.
foundation::Point fingerAt(int move) {
  double t = move * 0.02;
  double r = 90 + 40 * std::sin(t * 3.1);
  return {960 + r * std::cos(t * 1.7), 540 + r * std::sin(t * 1.7)};
}

}  // namespace

int main() {
  HeadlessBench bench(5);
  if (!bench.window()) return 1;
  auto app = ui::Application::shared();
  auto& main = foundation::RunLoop::main();
  main.advance(0.5);
  auto window = app->keyWindow();
  const double gap = 0.02;
  int move = 0;

  // Each event is sent and its frame presented before the next one.
  Stats event;
  window->sendTouch({1, ui::TouchPhase::Began, fingerAt(move), main.now()});
  main.advance(gap);
  for (int i = 0; i < 1000; ++i) {
    ++move;
    double before = cpuSeconds();
    window->sendTouch({1, ui::TouchPhase::Moved, fingerAt(move), main.now()});
    main.advance(0);
    event.samples.push_back(cpuSeconds() - before);
    main.advance(gap);
  }

  std::vector<double> perTenSeconds;
  for (int round = 0; round < 5; ++round) {
    double before = cpuSeconds();
    for (int i = 0; i < 500; ++i) {
      window->sendTouch({1, ui::TouchPhase::Moved, fingerAt(++move), main.now()});
      main.advance(gap);
    }
    perTenSeconds.push_back(cpuSeconds() - before);
  }

  std::printf("headless 1920x1080, scale 1, software compositing\n");
  event.print("CPU from a paint move to its frame");
  std::printf("CPU per 10 s of dragging (500 moves 20 ms apart):");
  for (double s : perTenSeconds) std::printf(" %.3f s", s);
  std::printf("\n");

  // Ten minutes of painting at 50 moves a second, sampled every minute.
  std::printf("RSS over 10 min of painting (MiB):");
  for (int minute = 0; minute <= 10; ++minute) {
    std::printf(" %.1f", rssMiB());
    std::fflush(stdout);
    if (minute == 10) break;
    for (int i = 0; i < 3000; ++i) {
      window->sendTouch({1, ui::TouchPhase::Moved, fingerAt(++move), main.now()});
      main.advance(gap);
    }
  }
  std::printf("\n");
  auto screen = std::dynamic_pointer_cast<PaintActionViewController>(
      App::masterViewController->currentActionViewController);
  auto paint = std::dynamic_pointer_cast<PaintBackgroundView>(screen->view());
  std::printf("blobs pending after %d moves: %zu, flattened image: %s\n", move,
              paint->points.size(), paint->cachedImage ? "yes" : "no");
  window->sendTouch({1, ui::TouchPhase::Ended, fingerAt(move), main.now()});
  return 0;
}
