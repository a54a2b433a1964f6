// CPU cost of the Gravity action's frames, headless at 1920x1080: every frame
// from the load until the three dots rest, and whether the animator then lets
// the loop sleep. Reports figures; it asserts nothing.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "actions/gravity/GravityActionViewController.h"
#include "app/AppDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/motion/MotionManager.h"
#include "platform/ui/Application.h"
#include "resources/Resources.h"
#include "settings/Defaults.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"
#include "update/UpdateCheck.h"

namespace {

double cpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

}  // namespace

int main() {
  char pattern[] = "/tmp/tamarock-bench-XXXXXX";
  std::filesystem::path dir = mkdtemp(pattern);
  foundation::UserDefaults::resetStandard(dir / "settings.ini");
  foundation::RunLoop::resetMainWithVirtualClock();
  // The machine this runs on has no motion sensor; say so without probing for one.
  motion::MotionManager::setAvailabilityOverride(false);
  Defaults::registerDefaults();
  Defaults::setFirstLaunch(false);
  Defaults::setCurrentAction(1);
  registerResources();
  UpdateCheck::siteOverride = "";  // the figures must not include a network request
  // The console line of each load is not part of the figures.
  std::fflush(stdout);
  auto console = dup(STDOUT_FILENO);
  if (!freopen("/dev/null", "w", stdout)) return 1;
  auto backend = std::make_shared<headless::HeadlessBackend>();
  auto app = ui::Application::shared();
  if (auto error =
          app->launch(foundation::create<AppDelegate>(), backend, {"Tamarock", {1920, 1080}})) {
    std::fprintf(stderr, "launch failed: %s\n", error->c_str());
    return 1;
  }
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
  std::filesystem::remove_all(dir);
  return 0;
}
