#include "BenchSupport.h"

#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdio>

#include "app/AppDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "resources/Resources.h"
#include "settings/Defaults.h"
#include "update/UpdateCheck.h"

double cpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void Stats::print(const char* what) {
  if (samples.empty()) return;
  std::sort(samples.begin(), samples.end());
  double sum = 0;
  for (double s : samples) sum += s;
  std::printf("%-44s n=%zu mean %.3f ms  median %.3f ms  p95 %.3f ms  max %.3f ms\n", what,
              samples.size(), 1e3 * sum / static_cast<double>(samples.size()),
              1e3 * samples[samples.size() / 2], 1e3 * samples[samples.size() * 95 / 100],
              1e3 * samples.back());
}

double Stats::quantileMs(double fraction) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  auto last = samples.size() - 1;
  auto index = std::min(last, static_cast<std::size_t>(fraction * static_cast<double>(last) + 0.5));
  return 1e3 * samples[index];
}

HeadlessBench::HeadlessBench(std::int64_t action, foundation::Size size, double scale) {
  char pattern[] = "/tmp/tamarock-bench-XXXXXX";
  if (const char* made = mkdtemp(pattern)) dir_ = made;
  foundation::UserDefaults::resetStandard(dir_ / "settings.ini");
  foundation::RunLoop::resetMainWithVirtualClock();
  Defaults::registerDefaults();
  Defaults::setFirstLaunch(false);
  Defaults::setCurrentAction(action);
  registerResources();
  UpdateCheck::siteOverride = "";  // the figures must not include a network request
  auto app = ui::Application::shared();
  auto backend = std::make_shared<headless::HeadlessBackend>();
  backend->setScreenBounds({0, 0, size.width, size.height});
  backend->setScreenScale(scale);
  auto error = app->launch(foundation::create<AppDelegate>(), backend, {"Tamarock", size});
  if (error) {
    std::fprintf(stderr, "launch failed: %s\n", error->c_str());
    return;
  }
  window_ = app->keyWindow();
}

HeadlessBench::~HeadlessBench() {
  std::error_code ec;
  if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
}
