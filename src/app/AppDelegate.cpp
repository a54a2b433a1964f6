#include "app/AppDelegate.h"

#include "app/SceneDelegate.h"
#include "platform/ui/Scene.h"
#include "platform/ui/Window.h"
#include "settings/Defaults.h"
#include "settings/Delay.h"
#include "settings/Localize.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"
#include "update/CheckForUpdates.h"

namespace {

constexpr const char* kSceneConfiguration = "Default Configuration";

std::shared_ptr<ActionViewController> currentAction() {
  auto master = App::masterViewController;
  return master ? master->currentActionViewController : nullptr;
}

// Without a master screen at this moment the notice is dropped.
void offerUpdate(std::int64_t build) {
  if (auto master = App::masterViewController) master->presentUpdateAlert(build);
}

}  // namespace

bool AppDelegate::didFinishLaunching() {
  Defaults::registerDefaults();
  // Launch never waits for the check; it starts once the first screen is up.
  Delay(1.0, [] { checkForUpdates(offerUpdate); });
  return true;
}

void AppDelegate::didEnterBackground() {
  if (auto action = currentAction()) action->didEnterBackground();
}

void AppDelegate::willResignActive() {
  fullScreenLock.setActive(false);
}

void AppDelegate::didBecomeActive() {
  fullScreenLock.setActive(true);
  if (auto action = currentAction()) action->didBecomeActive();
}

bool AppDelegate::shouldTerminate() {
  return !fullScreenLock.isLocked();
}

bool AppDelegate::performAction(const std::string& action,
                                const std::shared_ptr<foundation::Object>& sender) {
  if (action != "toggleFullScreen:") return ui::ApplicationDelegate::performAction(action, sender);
  fullScreenLock.toggle();
  return true;
}

ui::SceneConfiguration AppDelegate::configurationForConnectingSceneSession(
    const ui::SceneSession& session) {
  ui::SceneManifest::registerConfiguration(
      kSceneConfiguration, {[] { return foundation::create<SceneDelegate>(); }, "Main"});
  return {kSceneConfiguration, session.role};
}

void AppDelegate::buildMenu(ui::MenuBuilder& builder) {
  if (builder.system() != ui::MenuSystem::Main) return;
  builder.removeMenu(ui::MenuIdentifier::Format);
  auto command = std::make_shared<ui::KeyCommand>(
      ui::KeyCommand{Localize::Ellipsis::choose(), "showChoices:", "l", ui::Modifier::Command});
  auto menu = std::make_shared<ui::Menu>("", "MyMenu", ui::Menu::DisplayInline,
                                         std::vector<ui::Menu::Element>{command});
  builder.insertChildMenuAtStart(menu, ui::MenuIdentifier::File);
  auto fullScreen = std::make_shared<ui::KeyCommand>(
      ui::KeyCommand{Localize::fullScreen(), "toggleFullScreen:", "", 0, ui::Key::F11});
  builder.insertChildMenuAtStart(
      std::make_shared<ui::Menu>("", "FullScreenMenu", ui::Menu::DisplayInline,
                                 std::vector<ui::Menu::Element>{fullScreen}),
      ui::MenuIdentifier::View);
}
