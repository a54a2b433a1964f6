// CPU cost of frames in the real view tree and compositor, headless at
// 1920x1080: the Touch dot's tap fade, and a full-window repaint for scale.
// Reports figures; it asserts nothing.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "actions/touch/TouchActionViewController.h"
#include "app/AppDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
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

struct Stats {
  std::vector<double> samples;
  void print(const char* what) {
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double s : samples) sum += s;
    std::printf("%-44s n=%zu mean %.3f ms  median %.3f ms  p95 %.3f ms  max %.3f ms\n", what,
                samples.size(), 1e3 * sum / static_cast<double>(samples.size()),
                1e3 * samples[samples.size() / 2], 1e3 * samples[samples.size() * 95 / 100],
                1e3 * samples.back());
  }
};

}  // namespace

int main() {
  char pattern[] = "/tmp/tamarock-bench-XXXXXX";
  std::filesystem::path dir = mkdtemp(pattern);
  foundation::UserDefaults::resetStandard(dir / "settings.ini");
  foundation::RunLoop::resetMainWithVirtualClock();
  Defaults::registerDefaults();
  Defaults::setFirstLaunch(false);
  Defaults::setCurrentAction(0);
  registerResources();
  UpdateCheck::siteOverride = "";  // the figures must not include a network request
  auto backend = std::make_shared<headless::HeadlessBackend>();
  auto app = ui::Application::shared();
  if (auto error =
          app->launch(foundation::create<AppDelegate>(), backend, {"Tamarock", {1920, 1080}})) {
    std::fprintf(stderr, "launch failed: %s\n", error->c_str());
    return 1;
  }
  auto& main = foundation::RunLoop::main();
  const double frame = 1.0 / 60;
  main.advance(0.5);

  Stats fade, full;
  auto window = app->keyWindow();
  for (int tap = 0; tap < 300; ++tap) {
    auto screen = std::dynamic_pointer_cast<TouchActionViewController>(
        App::masterViewController->currentActionViewController);
    auto centre = screen->touchDotView()->center();
    window->sendTouch({1, ui::TouchPhase::Began, centre, main.now()});
    main.advance(frame);
    window->sendTouch({1, ui::TouchPhase::Ended, centre, main.now()});
    // The fade lasts 0.06 s: every frame until the dot shows again is measured.
    for (int i = 0; i < 6; ++i) {
      double before = cpuSeconds();
      main.advance(frame);
      fade.samples.push_back(cpuSeconds() - before);
    }
    main.advance(0.2);
  }
  for (int i = 0; i < 100; ++i) {
    window->invalidateAll();
    double before = cpuSeconds();
    main.advance(frame);
    full.samples.push_back(cpuSeconds() - before);
  }
  std::printf("headless 1920x1080, scale 1, software compositing\n");
  fade.print("CPU per frame of the tap fade");
  full.print("CPU per full-window repaint (reference)");
  std::filesystem::remove_all(dir);
  return 0;
}
