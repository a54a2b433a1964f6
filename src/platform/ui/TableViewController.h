#pragma once

#include <memory>
#include <string>

#include "platform/ui/IndexPath.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

namespace ui {

// A controller whose view is a grouped TableView, and which answers the
// table's questions: row and header heights, header views, and what a
// selection does. It also drives the table from the keyboard: Up and Down move
// the focus, Return or Space acts on the focused row.
class TableViewController : public ViewController {
 public:
  explicit TableViewController(std::string nibName = {}) : ViewController(std::move(nibName)) {}

  // The controller's view, loaded on first use.
  std::shared_ptr<TableView> tableView();

  // The table its nib builds (which also connects the outlets), else a new empty one.
  void loadView() override;

  // Asked by the table when it loads its rows (again after reloadData()).
  // The cell's own rowHeight unless overridden.
  virtual double heightForRow(IndexPath path);
  virtual double heightForHeader(int section);
  // The header's empty space holds this view when one is given.
  virtual std::shared_ptr<View> viewForHeader(int section);
  // After a tap or the keyboard selected the row; the row stays selected.
  virtual void didSelectRow(IndexPath path) { (void)path; }

  // Up, Down, Return and Space; anything else, or a key with a command
  // modifier, goes on up the responder chain.
  bool keyPressed(const KeyEvent& event) override;

 private:
  bool activateFocusedRow();
};

}  // namespace ui
