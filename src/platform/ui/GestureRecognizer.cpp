#include "platform/ui/GestureRecognizer.h"

#include "platform/ui/View.h"
#include "platform/ui/Window.h"

namespace ui {

void GestureRecognizer::setState(State state) {
  state_ = state;
  if (state == State::Possible || state == State::Failed) return;
  auto self = sharedAs<GestureRecognizer>();
  // The view loses its touches before the targets hear of the gesture, so a
  // control's cancel never undoes what the gesture's action just did.
  if (state == State::Began && cancelsTouchesInView_) {
    if (auto view = view_.lock()) {
      if (auto window = view->window()) window->cancelTouchesInViewsOf(*this);
    }
  }
  auto actions = actions_;
  for (auto& action : actions) action(self);
}

}  // namespace ui
