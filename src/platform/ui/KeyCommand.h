#pragma once

#include <string>

#include "platform/ui/Event.h"

namespace ui {

// A keyboard shortcut that sends an action message up the responder chain.
struct KeyCommand {
  std::string title;
  std::string action;  // "showChoices:"
  std::string input;   // "l"
  unsigned modifierFlags = 0;

  bool matches(const KeyEvent& event) const {
    constexpr unsigned significant = Modifier::Command | Modifier::Shift | Modifier::Alternate;
    return event.key == Key::Character && event.input == input &&
           (event.modifiers & significant) == (modifierFlags & significant);
  }
};

}  // namespace ui
