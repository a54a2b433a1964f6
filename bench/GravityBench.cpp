// CPU cost of the Gravity action's frames, headless at 1920x1080: every frame
// from the load until the three dots rest, and whether the animator then lets
// the loop sleep. Reports figures; it asserts nothing.
#include <time.h>
#include <unistd.h>
#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "actions/gravity/GravityActionViewController.h"
#include "app/AppDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/motion/MotionManager.h"
#include "platform/ui/Application.h"
#include "resources/Resources.h"
#include "settings/Defaults.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"
#include "update/UpdateCheck.h"

int main() {
  // The machine this runs on has no motion sensor; say so without probing for one.
  motion::MotionManager::setAvailabilityOverride(false);
  // The console line of each load is not part of the figures.
  std::fflush(stdout);
  auto console = dup(STDOUT_FILENO);
  if (!freopen("/dev/null", "w", stdout)) return 1;
  HeadlessBench bench(1);
  if (!bench.window()) return 1;
  auto app = ui::Application::shared();
  auto& main = foundation::RunLoop::main();
  const double frame = 1.0 / 60;

  std::vector<double> samples;
  std::vector<double> restTimes;
  int neverRested = 0;
  for (int run = 0; run < 20; ++run) {
    App::masterViewController->installAction(1);
    auto screen = std::dynamic_pointer_cast<GravityActionViewController>(
        App::masterViewController->currentActionViewController);
    int frames = 0;
    while (screen->dynamicAnimator->isRunning() || frames == 0) {
      double before = cpuSeconds();
      main.advance(frame);
      samples.push_back(cpuSeconds() - before);
      if (++frames > 60 * 60) {
        ++neverRested;
        break;
      }
    }
    restTimes.push_back(frames * frame);
  }
  double before = cpuSeconds();
  main.advance(10.0);
  double idle = cpuSeconds() - before;

  std::fflush(stdout);
  dup2(console, STDOUT_FILENO);
  std::sort(samples.begin(), samples.end());
  std::sort(restTimes.begin(), restTimes.end());
  double sum = 0;
  for (double s : samples) sum += s;
  std::printf("headless 1920x1080, scale 1, software compositing, 20 loads of Gravity\n");
  std::printf("%-44s n=%zu mean %.3f ms  median %.3f ms  p95 %.3f ms  max %.3f ms\n",
              "CPU per frame while the three dots fall", samples.size(),
              1e3 * sum / static_cast<double>(samples.size()), 1e3 * samples[samples.size() / 2],
              1e3 * samples[samples.size() * 95 / 100], 1e3 * samples.back());
  std::printf("%-44s median %.2f s  max %.2f s  (%d never rested within 60 s)\n",
              "time until every dot rests", restTimes[restTimes.size() / 2], restTimes.back(),
              neverRested);
  std::printf("%-44s %.4f s (loop idle: %s)\n", "CPU over 10 s (virtual) once they rest", idle,
              main.hasPendingWork() ? "no" : "yes");
  return 0;
}
