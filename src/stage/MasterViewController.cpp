#include "stage/MasterViewController.h"

#include "actions/connect/ConnectActionViewController.h"
#include "actions/gravity/GravityActionViewController.h"
#include "actions/magnet/MagnetActionViewController.h"
#include "actions/paint/PaintActionViewController.h"
#include "actions/swipe/SwipeActionViewController.h"
#include "actions/touch/TouchActionViewController.h"
#include "platform/foundation/Bundle.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "settings/Defaults.h"
#include "settings/Delay.h"
#include "settings/Localize.h"
#include "shared/App.h"
#include "update/UpdateCheck.h"

namespace {
const char* const kShowChoices = "ShowChoices";
}

std::shared_ptr<ActionViewController> MasterViewController::makeAction(std::int64_t number) {
  if (actionMaker) return actionMaker(number);
  switch (number) {
    case 0:
      return foundation::create<TouchActionViewController>("StandardActionViewController");
    case 1:
      return foundation::create<GravityActionViewController>("StandardActionViewController");
    case 2:
      return foundation::create<SwipeActionViewController>("StandardActionViewController");
    case 3:
      return foundation::create<ConnectActionViewController>("ConnectActionViewController");
    case 4:
      return foundation::create<MagnetActionViewController>("StandardActionViewController");
    case 5:
      return foundation::create<PaintActionViewController>("PaintActionViewController");
    default:
      return nullptr;
  }
}

void MasterViewController::viewDidLoad() {
  ui::ViewController::viewDidLoad();
  App::masterViewController = sharedAs<MasterViewController>();
}

void MasterViewController::userInterfaceStyleDidChange() {
  view()->setBackgroundColor(graphics::Color::systemBackground());
}

void MasterViewController::viewDidAppear(bool animated) {
  ui::ViewController::viewDidAppear(animated);
  chooseAction();
}

void MasterViewController::chooseAction() {
  if (Defaults::firstLaunch()) {
    installAction(0);
    std::weak_ptr<MasterViewController> weak = sharedAs<MasterViewController>();
    Delay(0.1, [weak] {
      if (auto master = weak.lock()) master->performSegue(kShowChoices, master);
    });
    return;
  }
  auto n = Defaults::currentAction();
  if (!isActionNumber(n)) {
    performSegue(kShowChoices, sharedAs<MasterViewController>());
    return;
  }
  installAction(n);
}

void MasterViewController::showChoices(const std::shared_ptr<foundation::Object>&) {
  performSegue(kShowChoices, sharedAs<MasterViewController>());
}

bool MasterViewController::performAction(const std::string& action,
                                         const std::shared_ptr<foundation::Object>& sender) {
  if (action != "showChoices:") return ui::ViewController::performAction(action, sender);
  showChoices(sender);
  return true;
}

void MasterViewController::installAction(std::int64_t number) {
  Defaults::setFirstLaunch(false);
  if (currentActionViewController) {
    currentActionViewController->prepareForRemoval();
    currentActionViewController.reset();
  }
  currentActionViewController = makeAction(number);
  if (!currentActionViewController) return;
  auto master = view();
  ui::removeAllSubviews(*master);
  auto actionView = currentActionViewController->view();
  actionView->setFrame(master->frame());
  master->addSubview(actionView);
  actionView->setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::LayoutConstraint::activate({
      actionView->topAnchor().constraintEqualTo(master->topAnchor(), 0),
      actionView->bottomAnchor().constraintEqualTo(master->bottomAnchor(), 0),
      actionView->leadingAnchor().constraintEqualTo(master->leadingAnchor(), 0),
      actionView->trailingAnchor().constraintEqualTo(master->trailingAnchor(), 0),
  });
  Defaults::setCurrentAction(number);
}

void MasterViewController::presentUpdateAlert(std::int64_t latestBuild) {
  auto name = foundation::Bundle::main()
                  .objectForInfoDictionaryKey("CFBundleDisplayName")
                  .value_or("Tamarock");
  auto alert = foundation::create<ui::AlertController>(
      Localize::updatesAvailable(),
      // TRANSLATORS: the message of the update notice; %@ is the program's name
      // ("Tamarock"). Keep %@ exactly as it is.
      Localize::format("A new version of %@ is available!", {name}));
  alert->addAction(
      {Localize::skip(), ui::AlertAction::Style::Default,
       [latestBuild](const ui::AlertAction&) { Defaults::setSkipUpdateBuild(latestBuild); }});
  alert->addAction({Localize::cancel(), ui::AlertAction::Style::Cancel});
  std::weak_ptr<MasterViewController> weak = sharedAs<MasterViewController>();
  alert->addAction(
      {Localize::download(), ui::AlertAction::Style::Default, [weak](const ui::AlertAction&) {
         if (auto master = weak.lock()) master->downloadUpdate();
       }});
  presentViewController(alert, true, [] {});
}

void MasterViewController::downloadUpdate() {
  if (auto url = UpdateCheck::downloadURL()) ui::Application::shared()->openURL(*url, [](bool) {});
}
