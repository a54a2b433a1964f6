// CPU cost of frames in the real view tree and compositor, headless at
// 1920x1080: the Touch dot's tap fade, and a full-window repaint for scale.
// Reports figures; it asserts nothing.
#include <time.h>
#include <unistd.h>
#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "actions/touch/TouchActionViewController.h"
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

int main() {
  HeadlessBench bench(0);
  if (!bench.window()) return 1;
  auto app = ui::Application::shared();
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
  return 0;
}
