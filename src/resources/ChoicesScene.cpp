#include "resources/ChoicesScene.h"

#include "choices/ChoicesTableViewCell.h"
#include "choices/ChoicesViewController.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Nib.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/TableView.h"
#include "settings/Localize.h"

namespace {

constexpr double kFootnoteSize = 13;

std::shared_ptr<ChoicesTableViewCell> row(std::shared_ptr<ui::Label>& outlet) {
  outlet = foundation::create<ui::Label>(foundation::Rect{});
  auto cell = foundation::create<ChoicesTableViewCell>();
  cell->setTextLabel(outlet);
  return cell;
}

// Section 0 holds the six actions at rows 0 to 5 in action-number order;
// section 1 holds only the colours row, which is not selectable (its switch
// is), so no selectable row but an action's stands at an index up to 5.
std::shared_ptr<ui::View> buildTable(ui::ViewController& owner) {
  auto table = foundation::create<ui::TableView>();
  auto choices = std::dynamic_pointer_cast<ChoicesViewController>(owner.shared_from_this());
  if (!choices) return table;
  auto& c = *choices;
  ui::TableView::Sections sections(2);
  sections[0] = {row(c.touchLabel),   row(c.gravityLabel), row(c.swipeLabel),
                 row(c.connectLabel), row(c.magnetLabel),  row(c.paintLabel)};
  auto colors = row(c.colorsLabel);
  colors->setSelectable(false);
  colors->setFocusable(true);
  c.colorsSwitch = foundation::create<ui::Switch>(foundation::Point{});
  c.colorsSwitch->addTarget(choices, &ChoicesViewController::randomColorsSwitchChanges,
                            ui::ControlEvent::ValueChanged);
  colors->setAccessoryView(c.colorsSwitch);
  sections[1] = {colors};
  table->setSections(std::move(sections));
  c.footerLabel = foundation::create<ui::Label>(foundation::Rect{});
  c.footerLabel->setNumberOfLines(0);
  c.footerLabel->setPointSize(kFootnoteSize);
  c.footerLabel->setTextColor(graphics::Color::secondaryLabel());
  table->setFooterLabel(c.footerLabel);
  return table;
}

std::shared_ptr<ui::ViewController> makeChoicesScene() {
  auto choices = foundation::create<ChoicesViewController>();
  auto navigation = foundation::create<ui::NavigationController>(choices);
  navigation->setTitle(Localize::choices());
  auto cancel = foundation::create<ui::Button>();
  cancel->setTitle(Localize::cancel());
  cancel->sizeToFit();  // translations run longer than "Cancel"
  cancel->addTarget(choices, &ChoicesViewController::cancel, ui::ControlEvent::TouchUpInside);
  navigation->setLeadingBarItem(cancel);
  return navigation;
}

}  // namespace

void registerChoicesScene() {
  ui::Nib::registerNib("ChoicesViewController", buildTable);
  ui::Storyboard::registerSegue("ShowChoices", makeChoicesScene);
}
