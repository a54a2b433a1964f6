#include "platform/ui/AlertController.h"

#include <algorithm>

#include "platform/ui/Control.h"

namespace ui {

AlertController::AlertController(std::string title, std::string message)
    : title_(std::move(title)), message_(std::move(message)) {
  setModalPresentationStyle(ModalPresentationStyle::Sheet);
}

void AlertController::addAction(AlertAction action) {
  actions_.push_back(std::move(action));
}

std::optional<std::size_t> AlertController::cancelIndex() const {
  auto it = std::find_if(actions_.begin(), actions_.end(), [](const AlertAction& a) {
    return a.style() == AlertAction::Style::Cancel;
  });
  if (it == actions_.end()) return std::nullopt;
  return static_cast<std::size_t>(it - actions_.begin());
}

void AlertController::loadView() {
  std::vector<AlertView::ButtonSpec> specs;
  for (const auto& action : actions_) {
    specs.push_back({action.title(), action.style() == AlertAction::Style::Cancel});
  }
  alertView_ = foundation::create<AlertView>(title_, message_, specs);
  auto self = sharedAs<AlertController>();
  for (const auto& button : alertView_->buttons()) {
    button->addTarget(self, &AlertController::buttonPressed, ControlEvent::PrimaryActionTriggered);
  }
  if (!actions_.empty()) alertView_->setFocusedIndex(cancelIndex().value_or(0));
  setView(alertView_);
}

std::shared_ptr<AlertView> AlertController::alertView() {
  view();
  return alertView_;
}

std::optional<std::size_t> AlertController::focusedIndex() {
  return alertView()->focusedIndex();
}

void AlertController::buttonPressed(const std::shared_ptr<foundation::Object>& sender) {
  const auto& buttons = alertView()->buttons();
  auto it = std::find(buttons.begin(), buttons.end(), sender);
  if (it != buttons.end()) chooseAction(static_cast<std::size_t>(it - buttons.begin()));
}

void AlertController::chooseAction(std::size_t index) {
  if (chosen_ || index >= actions_.size()) return;
  chosen_ = true;
  // The handler runs once the alert is gone, so it may present something new;
  // the dismissal may drop the presenter's hold on this controller meanwhile.
  auto protector = sharedAs<AlertController>();
  dismissViewController(true, [protector, index] { protector->actions_[index].perform(); });
}

void AlertController::moveFocus(int delta, bool wrap) {
  auto view = alertView();
  auto count = static_cast<long>(view->buttons().size());
  if (count == 0) return;
  long next = static_cast<long>(view->focusedIndex().value_or(0)) + delta;
  next = wrap ? ((next % count) + count) % count : std::clamp(next, 0L, count - 1);
  view->setFocusedIndex(static_cast<std::size_t>(next));
}

bool AlertController::keyPressed(const KeyEvent& event) {
  switch (event.key) {
    case Key::Escape:
      if (auto cancel = cancelIndex(); cancel && !event.repeat) chooseAction(*cancel);
      break;
    case Key::Tab:
      moveFocus((event.modifiers & Modifier::Shift) ? -1 : 1, true);
      break;
    case Key::Left:
    case Key::Right: {
      // The arrows go where they point: toward the first button is rightward
      // when the buttons run from the right.
      bool rightToLeft = alertView()->effectiveUserInterfaceLayoutDirection() ==
                         UserInterfaceLayoutDirection::RightToLeft;
      moveFocus((event.key == Key::Right) != rightToLeft ? 1 : -1, false);
      break;
    }
    case Key::Up:
    case Key::Down:
      if (alertView()->buttonsStacked()) moveFocus(event.key == Key::Up ? -1 : 1, false);
      break;
    case Key::Return:
    case Key::Space:
      // A held key would otherwise choose again on whatever comes next.
      if (auto focused = focusedIndex(); focused && !event.repeat) chooseAction(*focused);
      break;
    default:
      break;
  }
  // A modal alert keeps every key from what is under it.
  return true;
}

}  // namespace ui
