#include "app/Launch.h"

#include <cstdio>

#include "app/AppDelegate.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/ProcessInfo.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/ui/Application.h"
#include "resources/Resources.h"
#include "settings/Localize.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"
#include "update/CheckForUpdates.h"

namespace {

// Names the folders of its settings and installed resources.
constexpr const char* kProcessName = "tamarock";
constexpr const char* kWindowTitle = "Tamarock";
constexpr foundation::Size kWindowSize{1024, 768};
// The smallest window the screens are laid out for.
constexpr foundation::Size kMinimumWindowSize{360, 480};

}  // namespace

int runTamarock() {
  foundation::ProcessInfo::setProcessName(kProcessName);
  Localize::setUp();
  registerResources();
  auto app = ui::Application::shared();
  app->setIconPath(foundation::Bundle::main().resourcePath() / "tamarock.png");
  auto error = app->launch(foundation::create<AppDelegate>(),
                           std::make_shared<sdl::SdlBackend>(kMinimumWindowSize),
                           {kWindowTitle, kWindowSize});
  if (error) {
    std::fprintf(stderr, "tamarock: %s\n", error->c_str());
    shutDownTamarock();
    return 1;
  }
  app->run();
  shutDownTamarock();
  return 0;
}

void shutDownTamarock() {
  stopCheckingForUpdates();
  // Motion samples arrive on a queue of the Gravity screen's own; stopping
  // them waits out one in delivery.
  if (auto master = App::masterViewController; master && master->currentActionViewController) {
    master->currentActionViewController->prepareForRemoval();
  }
  ui::Application::shared()->tearDown();
  App::reset();
}
