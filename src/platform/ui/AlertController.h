#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/AlertAction.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/ViewController.h"

namespace ui {

// A modal question with a title, a message and a button per action in the
// order they were added (in a row, or stacked when the row would not fit);
// presented as a sheet, so it shows as a card over the dimmed window.
// Choosing an action, by tap or by keyboard, dismisses the alert and then
// runs the action's handler; only the first choice counts. Keyboard: Escape
// chooses the cancel action (if there is one); Tab and Shift+Tab cycle the
// focus through the buttons in the order they were added (the reading order,
// either way the row runs), Left and Right (Up and Down too when the buttons
// are stacked) move it the way they point and stop at the ends; Return or
// Space chooses the focused one.
// Focus starts on the cancel action, else on the first, so that a stray
// Return never picks anything but the safe answer.
class AlertController : public ViewController {
 public:
  AlertController(std::string title, std::string message);

  const std::string& title() const { return title_; }
  const std::string& message() const { return message_; }
  // Actions added after the view is loaded are not shown.
  void addAction(AlertAction action);
  const std::vector<AlertAction>& actions() const { return actions_; }

  // Loads the view when needed.
  std::shared_ptr<AlertView> alertView();
  std::optional<std::size_t> focusedIndex();

  // As if the action's button were pressed.
  void chooseAction(std::size_t index);

  void loadView() override;
  bool keyPressed(const KeyEvent& event) override;

 private:
  void buttonPressed(const std::shared_ptr<foundation::Object>& sender);
  void moveFocus(int delta, bool wrap);
  std::optional<std::size_t> cancelIndex() const;

  std::string title_;
  std::string message_;
  std::vector<AlertAction> actions_;
  std::shared_ptr<AlertView> alertView_;
  bool chosen_ = false;
};

}  // namespace ui
