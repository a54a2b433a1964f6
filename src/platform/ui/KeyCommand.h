#pragma once

#include <string>

#include "platform/ui/Event.h"

namespace ui {

// A keyboard shortcut that sends an action message up the responder chain.
struct KeyCommand {
  std::string title;
  std::string action;  // "showChoices:"
  std::string input;   // "l"; empty for a named key
  unsigned modifierFlags = 0;
  Key key = Key::Character;  // a named key (F11) instead of a character

  bool matches(const KeyEvent& event) const {
    constexpr unsigned significant = Modifier::Command | Modifier::Shift | Modifier::Alternate;
    return event.key == key && (key != Key::Character || event.input == input) &&
           (event.modifiers & significant) == (modifierFlags & significant);
  }
};

}  // namespace ui
