#include "choices/ChoicesViewController.h"

#include "platform/motion/MotionManager.h"
#include "platform/ui/PointerInteraction.h"
#include "settings/Defaults.h"
#include "settings/Localize.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"

namespace {
constexpr double kHiddenHeight = 0.01;
constexpr int kGravityRow = 1;
constexpr double kSheetWidth = 440;

bool accelerometerAvailable() {
  motion::MotionManager manager;
  return manager.isAccelerometerAvailable();
}
}  // namespace

ChoicesViewController::ChoicesViewController()
    : ui::TableViewController("ChoicesViewController"),
      isAccelerometerAvailable(accelerometerAvailable()) {}

void ChoicesViewController::viewDidLoad() {
  ui::TableViewController::viewDidLoad();
  touchLabel->setText(Localize::touch());
  swipeLabel->setText(Localize::swipe());
  gravityLabel->setText(Localize::gravity());
  connectLabel->setText(Localize::connect());
  magnetLabel->setText(Localize::magnet());
  paintLabel->setText(Localize::paint());
  colorsLabel->setText(Localize::colors());
  footerLabel->setText(Localize::choicesFooter());
}

void ChoicesViewController::userInterfaceStyleDidChange() {
  footerLabel->setTextColor(graphics::Color::secondaryLabel());
}

void ChoicesViewController::viewWillAppear(bool animated) {
  ui::TableViewController::viewWillAppear(animated);
  colorsSwitch->setOn(Defaults::randomColors(), false);
  setPreferredContentSize(foundation::Size{kSheetWidth, tableView()->contentHeight(kSheetWidth)});
  colorsSwitch->addInteraction(std::make_shared<ui::PointerInteraction>());
  // The keyboard starts where the child is now.
  auto current = Defaults::currentAction();
  if (MasterViewController::isActionNumber(current)) {
    auto table = tableView();
    ui::IndexPath row{0, static_cast<int>(current)};
    if (!table->isRowHidden(row)) table->setFocusedRow(row);
  }
}

std::shared_ptr<ui::View> ChoicesViewController::viewForHeader(int) {
  return nullptr;
}

double ChoicesViewController::heightForHeader(int) {
  return kHiddenHeight;
}

double ChoicesViewController::heightForRow(ui::IndexPath indexPath) {
  if (!isAccelerometerAvailable && indexPath.row == kGravityRow) return kHiddenHeight;
  return ui::TableViewController::heightForRow(indexPath);
}

void ChoicesViewController::didSelectRow(ui::IndexPath indexPath) {
  tableView()->deselectRow(indexPath, true);
  if (MasterViewController::isActionNumber(indexPath.row) && App::masterViewController) {
    App::masterViewController->installAction(indexPath.row);
  }
  dismissViewController(true);
}

void ChoicesViewController::cancel(const std::shared_ptr<foundation::Object>&) {
  dismissViewController(true);
}

void ChoicesViewController::randomColorsSwitchChanges(const std::shared_ptr<foundation::Object>&) {
  Defaults::setRandomColors(colorsSwitch->isOn());
  auto master = App::masterViewController;
  if (master && master->currentActionViewController) {
    master->currentActionViewController->updateColors();
  }
}

bool ChoicesViewController::keyPressed(const ui::KeyEvent& event) {
  if (event.key == ui::Key::Escape) {
    cancel(nullptr);
    return true;
  }
  return ui::TableViewController::keyPressed(event);
}
