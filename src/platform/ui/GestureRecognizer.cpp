#include "platform/ui/GestureRecognizer.h"

namespace ui {

void GestureRecognizer::setState(State state) {
  state_ = state;
  if (state == State::Possible || state == State::Failed) return;
  auto self = sharedAs<GestureRecognizer>();
  auto actions = actions_;
  for (auto& action : actions) action(self);
}

}  // namespace ui
