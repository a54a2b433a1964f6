#pragma once

namespace foundation {

// Where the run loop reads the time, in seconds. Time is an input: a test puts a
// VirtualClock in place and advances it by exactly the amount it wants to see.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double now() const = 0;
};

class SteadyClock final : public Clock {
 public:
  double now() const override;
};

class VirtualClock final : public Clock {
 public:
  double now() const override { return now_; }
  void set(double t) { now_ = t; }

 private:
  double now_ = 0;
};

}  // namespace foundation
