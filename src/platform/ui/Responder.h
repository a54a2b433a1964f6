#pragma once

#include <memory>
#include <string>

#include "platform/foundation/Object.h"
#include "platform/ui/Event.h"

namespace ui {

// The chain that action messages and keys travel up: a view, its controller,
// the superview, ..., the window, the application.
class Responder : public foundation::Object {
 public:
  virtual std::shared_ptr<Responder> nextResponder() const { return nullptr; }
  // An action message by name ("showChoices:"); true when this responder handled it.
  virtual bool performAction(const std::string& action,
                             const std::shared_ptr<foundation::Object>& sender) {
    (void)action;
    (void)sender;
    return false;
  }
  // A key not taken by a key command; true when handled.
  virtual bool keyPressed(const KeyEvent& event) {
    (void)event;
    return false;
  }
};

}  // namespace ui
