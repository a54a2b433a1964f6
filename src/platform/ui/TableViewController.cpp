#include "platform/ui/TableViewController.h"

#include "platform/ui/Nib.h"
#include "platform/ui/Switch.h"

namespace ui {

std::shared_ptr<TableView> TableViewController::tableView() {
  return std::dynamic_pointer_cast<TableView>(view());
}

void TableViewController::loadView() {
  // A static table comes from its nib, which also connects the outlets.
  auto table = nibName().empty()
                   ? nullptr
                   : std::dynamic_pointer_cast<TableView>(Nib::instantiate(nibName(), *this));
  if (!table) table = foundation::create<TableView>();
  setView(table);
  table->setController(weakAs<TableViewController>());
}

double TableViewController::heightForRow(IndexPath path) {
  auto table = tableView();
  auto cell = table ? table->cellAt(path) : nullptr;
  return cell ? cell->rowHeight() : TableViewCell::kDefaultRowHeight;
}

double TableViewController::heightForHeader(int section) {
  (void)section;
  return TableView::kDefaultHeaderHeight;
}

std::shared_ptr<View> TableViewController::viewForHeader(int section) {
  (void)section;
  return nullptr;
}

bool TableViewController::keyPressed(const KeyEvent& event) {
  constexpr unsigned kCommandModifiers =
      Modifier::Command | Modifier::Control | Modifier::Alternate;
  if (event.modifiers & kCommandModifiers) return ViewController::keyPressed(event);
  auto table = tableView();
  if (!table) return false;
  switch (event.key) {
    case Key::Up:
    case Key::Down:
      // The first arrow press only brings the focus to the first row.
      if (!table->focusedRow()) return table->moveFocus(0);
      table->moveFocus(event.key == Key::Up ? -1 : 1);
      return true;
    case Key::Return:
    case Key::Space:
      // A held key would pick the row or flip the switch over and over.
      if (event.repeat) return table->focusedRow().has_value();
      return activateFocusedRow();
    default:
      return ViewController::keyPressed(event);
  }
}

bool TableViewController::activateFocusedRow() {
  auto table = tableView();
  auto path = table ? table->focusedRow() : std::nullopt;
  if (!path) return false;
  auto cell = table->cellAt(*path);
  if (!cell) return false;
  // The selection may close the screen and drop the last owner of this controller.
  auto protector = sharedAs<TableViewController>();
  if (cell->isSelectable()) {
    table->selectRow(*path);
    didSelectRow(*path);
    return true;
  }
  if (auto control = std::dynamic_pointer_cast<Switch>(cell->accessoryView())) {
    control->toggle();
    return true;
  }
  return false;
}

}  // namespace ui
