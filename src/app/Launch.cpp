#include "app/Launch.h"

#include <chrono>
#include <cstdio>
#include <memory>

#include "app/AppDelegate.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/ColorSchemePortal.h"
#include "platform/foundation/ProcessInfo.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Appearance.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/ui/Application.h"
#include "resources/Resources.h"
#include "settings/Localize.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"
#include "update/CheckForUpdates.h"
#include "update/UpdateCheck.h"

namespace {

// Names the folders of its settings and installed resources.
constexpr const char* kProcessName = "tamarock";
constexpr const char* kWindowTitle = "Tamarock";
// The update check loads through it; the build names it.
constexpr const char* kFetchHelper = TAMAROCK_FETCH_HELPER;
constexpr foundation::Size kWindowSize{1024, 768};
// The smallest window the screens are laid out for.
constexpr foundation::Size kMinimumWindowSize{360, 480};

// The portal answers in a few milliseconds; a window that opened light and
// turned dark a moment later would flash at the child.
constexpr std::chrono::milliseconds kFirstReadingWait{150};

std::unique_ptr<foundation::ColorSchemePortal> colorSchemePortal;

graphics::Appearance::Style styleFor(foundation::ColorSchemePortal::Scheme scheme) {
  return scheme == foundation::ColorSchemePortal::Scheme::Dark ? graphics::Appearance::Style::Dark
                                                               : graphics::Appearance::Style::Light;
}

}  // namespace

void followDesktopColorScheme(const std::string& busAddress) {
  colorSchemePortal = std::make_unique<foundation::ColorSchemePortal>(busAddress, [](auto scheme) {
    foundation::RunLoop::main().post(
        [scheme] { ui::Application::shared()->setUserInterfaceStyle(styleFor(scheme)); });
  });
  if (auto scheme = colorSchemePortal->waitForFirstReading(kFirstReadingWait)) {
    graphics::Appearance::setCurrent(styleFor(*scheme));
  }
}

void stopFollowingDesktopColorScheme() {
  if (colorSchemePortal) colorSchemePortal->stop();
  colorSchemePortal.reset();
}

int runTamarock() {
  foundation::ProcessInfo::setProcessName(kProcessName);
  UpdateCheck::fetchHelper = foundation::Bundle::pathForAuxiliaryExecutable(kFetchHelper);
  Localize::setUp();
  registerResources();
  followDesktopColorScheme(foundation::ColorSchemePortal::sessionBusAddress());
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
  // Its thread posts changes to the main loop, which goes next.
  stopFollowingDesktopColorScheme();
  // Motion samples arrive on a queue of the Gravity screen's own; stopping
  // them waits out one in delivery.
  if (auto master = App::masterViewController; master && master->currentActionViewController) {
    master->currentActionViewController->prepareForRemoval();
  }
  ui::Application::shared()->tearDown();
  App::reset();
}
