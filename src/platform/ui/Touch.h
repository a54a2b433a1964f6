#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/foundation/Geometry.h"
#include "platform/ui/Event.h"

namespace ui {

class View;

// One finger (or the mouse with its primary button) from down to up.
class Touch {
 public:
  Touch(std::int64_t id, foundation::Point location, double timestamp)
      : id_(id), location_(location), previous_(location), timestamp_(timestamp) {}

  std::int64_t id() const { return id_; }
  TouchPhase phase() const { return phase_; }
  double timestamp() const { return timestamp_; }
  std::shared_ptr<View> view() const { return view_.lock(); }
  // In the coordinates of `view` (window coordinates for nullptr).
  foundation::Point locationIn(const View* view) const;
  foundation::Point previousLocationIn(const View* view) const;

  void update(TouchPhase phase, foundation::Point location, double timestamp) {
    phase_ = phase;
    previous_ = location_;
    location_ = location;
    timestamp_ = timestamp;
  }
  void setView(const std::shared_ptr<View>& view) { view_ = view; }

 private:
  std::int64_t id_;
  TouchPhase phase_ = TouchPhase::Began;
  foundation::Point location_;
  foundation::Point previous_;
  double timestamp_;
  std::weak_ptr<View> view_;
};

using TouchSet = std::vector<std::shared_ptr<Touch>>;

}  // namespace ui
