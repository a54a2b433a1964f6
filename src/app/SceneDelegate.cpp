#include "app/SceneDelegate.h"

#include "settings/Defaults.h"
#include "settings/Delay.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"

void SceneDelegate::didUpdateCoordinateSpace(ui::WindowScene&) {
  Delay(0.0, [] {
    auto n = Defaults::currentAction();
    if (!MasterViewController::isActionNumber(n)) return;
    if (auto master = App::masterViewController) master->installAction(n);
  });
}
