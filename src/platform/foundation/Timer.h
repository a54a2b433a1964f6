#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace foundation {

class RunLoop;

// A one-shot timer on the main run loop. It fires once within
// [fireDate, fireDate + tolerance], never early, and late only to share a
// wake-up with other work due by then; invalidate() stops it for good.
// Its fire date may be moved while it is pending. The loop keeps a scheduled timer
// alive, so the owner may hold it weakly.
class Timer {
 public:
  Timer(double fireDate, double tolerance, std::function<void()> action, std::uint64_t sequence)
      : fireDate_(fireDate),
        tolerance_(tolerance),
        action_(std::move(action)),
        sequence_(sequence) {}

  double fireDate() const { return fireDate_; }
  void setFireDate(double date) { fireDate_ = date; }
  double tolerance() const { return tolerance_; }
  bool isValid() const { return valid_; }
  void invalidate() {
    valid_ = false;
    action_ = nullptr;
  }

 private:
  friend class RunLoop;
  double deadline() const { return fireDate_ + tolerance_; }

  double fireDate_;
  double tolerance_;
  std::function<void()> action_;
  std::uint64_t sequence_;
  bool valid_ = true;
};

}  // namespace foundation
