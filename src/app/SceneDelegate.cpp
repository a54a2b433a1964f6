#include "app/SceneDelegate.h"

#include "app/AppDelegate.h"
#include "platform/ui/Application.h"
#include "settings/Defaults.h"
#include "settings/Delay.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"

void SceneDelegate::didUpdateCoordinateSpace(ui::WindowScene&) {
  if (auto app = std::dynamic_pointer_cast<AppDelegate>(ui::Application::shared()->delegate())) {
    app->fullScreenLock.windowDidResize();
  }
  Delay(0.0, [] {
    auto n = Defaults::currentAction();
    if (!MasterViewController::isActionNumber(n)) return;
    if (auto master = App::masterViewController) master->installAction(n);
  });
}
