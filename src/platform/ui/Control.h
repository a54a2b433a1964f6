#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/View.h"

namespace ui {

namespace ControlEvent {
constexpr unsigned TouchDown = 1 << 0;
constexpr unsigned TouchDragInside = 1 << 2;
constexpr unsigned TouchDragOutside = 1 << 3;
constexpr unsigned TouchUpInside = 1 << 6;
constexpr unsigned TouchUpOutside = 1 << 7;
constexpr unsigned TouchCancel = 1 << 8;
constexpr unsigned ValueChanged = 1 << 12;
constexpr unsigned PrimaryActionTriggered = 1 << 13;
}  // namespace ControlEvent

// A view that turns one touch into control events sent to target-action pairs.
// "Inside" for the end of a touch is the control's bounds grown by a margin, so
// that a finger that slides a little off still counts.
class Control : public View {
 public:
  using View::View;
  // Measured on the platform, not documented: about 70 points on every side.
  static constexpr double kTrackingMargin = 70;

  using Sender = std::shared_ptr<foundation::Object>;

  // Registers `action` of `target` (held weakly) for every event in `events`.
  template <class T>
  void addTarget(const std::shared_ptr<T>& target, void (T::*action)(const Sender&),
                 unsigned events) {
    std::weak_ptr<T> weak = target;
    addAction(
        [weak, action](const Sender& sender) {
          if (auto t = weak.lock()) ((*t).*action)(sender);
        },
        events);
  }
  void addAction(std::function<void(const Sender&)> action, unsigned events);
  std::size_t actionCount(unsigned event) const;

  bool isHighlighted() const { return highlighted_; }
  bool isTracking() const { return tracking_ != nullptr; }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);

  // Sends the actions registered for `event`, keeping the control alive while
  // they run (an action may remove it from its screen).
  void sendActions(unsigned event);

  bool isTouchInside(const Touch& touch) const;

  void touchesBegan(const TouchSet& touches) override;
  void touchesMoved(const TouchSet& touches) override;
  void touchesEnded(const TouchSet& touches) override;
  void touchesCancelled(const TouchSet& touches) override;

 protected:
  virtual void setHighlighted(bool highlighted);
  // A touch that began on the control ended inside it, after its touch-up
  // actions ran: what a button or a switch does when tapped.
  virtual void tapCompleted() {}

 private:
  struct Entry {
    std::function<void(const Sender&)> action;
    unsigned events;
  };
  std::vector<Entry> actions_;
  std::shared_ptr<Touch> tracking_;
  bool highlighted_ = false;
  bool enabled_ = true;
};

}  // namespace ui
