#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/foundation/Object.h"
#include "platform/ui/Touch.h"

namespace ui {

class View;

// Watches the touches of its view (and of the view's descendants) before the
// view sees them, and reports a gesture to target-action pairs as its state
// moves on. A continuous gesture goes Possible → Began → Changed… → Ended (or
// Cancelled); one that never starts goes to Failed. Once it begins it can take
// the touches away from the view (the view gets touchesCancelled).
class GestureRecognizer : public foundation::Object {
 public:
  enum class State { Possible, Began, Changed, Ended, Cancelled, Failed };
  using Sender = std::shared_ptr<GestureRecognizer>;

  // Registers `action` of `target` (held weakly), sent at every state change
  // but to Failed and back to Possible.
  template <class T>
  void addTarget(const std::shared_ptr<T>& target, void (T::*action)(const Sender&)) {
    std::weak_ptr<T> weak = target;
    actions_.push_back([weak, action](const Sender& sender) {
      if (auto t = weak.lock()) ((*t).*action)(sender);
    });
  }

  State state() const { return state_; }
  std::shared_ptr<View> view() const { return view_.lock(); }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  // Began or Changed: the gesture owns its touches.
  bool isRecognizing() const { return state_ == State::Began || state_ == State::Changed; }

  // Delivered by the window, before the view under the touch.
  virtual void touchesBegan(const TouchSet& touches) = 0;
  virtual void touchesMoved(const TouchSet& touches) = 0;
  virtual void touchesEnded(const TouchSet& touches) = 0;
  virtual void touchesCancelled(const TouchSet& touches) = 0;

 protected:
  // Moves to `state` and tells the targets, keeping this recogniser alive
  // while they run (an action may remove its view).
  void setState(State state);
  // Forgets the gesture once its touches are gone: back to Possible, silently.
  virtual void reset() { state_ = State::Possible; }

 private:
  friend class View;
  std::vector<std::function<void(const Sender&)>> actions_;
  std::weak_ptr<View> view_;
  State state_ = State::Possible;
  bool enabled_ = true;
  bool cancelsTouchesInView_ = true;
};

}  // namespace ui
