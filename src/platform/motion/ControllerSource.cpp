#include "platform/motion/ControllerSource.h"

#include <algorithm>

#include "platform/motion/AttitudeFilter.h"

namespace motion {

namespace {
// A longer gap (a stalled thread) would integrate the gyro over time it did not measure.
constexpr double kLongestStep = 0.1;  // seconds
}  // namespace

bool ControllerSource::start(double interval, Callbacks callbacks) {
  stop();
  if (!sensors_ || !sensors_->open()) return false;
  open_ = true;
  // The tick owns the filter state; only the sampler's thread touches it.
  struct State {
    AttitudeFilter filter;
    double last = -1;
    double lastDelivery = -1;
  };
  sampler_.start(
      kFusionPeriod, [sensors = sensors_.get(), interval, callbacks = std::move(callbacks),
                      state = State{}](double now) mutable {
        auto reading = sensors->read();
        if (!reading) {
          callbacks.lost();
          return false;
        }
        double dt = state.last < 0 ? 0 : std::clamp(now - state.last, 0.0, kLongestStep);
        state.last = now;
        state.filter.update(reading->acceleration, reading->rotationRate, dt);
        auto attitude = state.filter.attitude();
        if (attitude && (state.lastDelivery < 0 || now - state.lastDelivery >= interval)) {
          state.lastDelivery = now;
          callbacks.sample({*attitude, now});
        }
        return true;
      });
  return true;
}

void ControllerSource::stop() {
  sampler_.stop();
  if (open_) sensors_->close();
  open_ = false;
}

}  // namespace motion
