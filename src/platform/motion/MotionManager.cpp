#include "platform/motion/MotionManager.h"

#include <atomic>
#include <cmath>
#include <mutex>

#include "platform/motion/ScriptedMotionSource.h"
#include "platform/motion/SensorDiscovery.h"

namespace motion {

// What the queued samples of one start share. The handler runs under `mutex`,
// so stopping waits out a running call; recursive, because a handler may stop
// the updates itself.
struct MotionManager::Delivery {
  explicit Delivery(Handler h) : handler(std::move(h)) {}

  void deliver(const DeviceMotion& sample) {
    std::lock_guard lock(mutex);
    if (open) handler(sample);
  }

  void close() {
    accepting = false;
    std::lock_guard lock(mutex);
    open = false;
  }

  Handler handler;
  std::recursive_mutex mutex;
  bool open = true;                    // under mutex: false once stopped
  std::atomic<bool> accepting = true;  // false once stopped or the sensor is gone
};

MotionManager::~MotionManager() {
  stopDeviceMotionUpdates();
}

bool MotionManager::isDeviceMotionAvailable() const {
  return SensorDiscovery::find() != nullptr;
}

bool MotionManager::isAccelerometerAvailable() const {
  // Every sensor we can read has an accelerometer.
  return isDeviceMotionAvailable();
}

void MotionManager::setDeviceMotionUpdateInterval(double seconds) {
  if (std::isnan(seconds)) return;
  interval_ = std::max(seconds, kShortestUpdateInterval);
}

void MotionManager::startDeviceMotionUpdates(std::shared_ptr<foundation::DispatchQueue> queue,
                                             Handler handler) {
  stopDeviceMotionUpdates();
  if (!queue || !handler) return;
  auto source = SensorDiscovery::find();
  if (!source) return;
  auto delivery = std::make_shared<Delivery>(std::move(handler));
  MotionSource::Callbacks callbacks{
      .sample =
          [delivery, weakQueue = std::weak_ptr(queue)](const DeviceMotion& sample) {
            if (!delivery->accepting || !sample.attitude.isValid() ||
                !std::isfinite(sample.timestamp)) {
              return;
            }
            if (auto q = weakQueue.lock())
              q->async([delivery, sample] { delivery->deliver(sample); });
          },
      .lost = [delivery] { delivery->accepting = false; },
  };
  if (!source->start(interval_, std::move(callbacks))) return;
  source_ = std::move(source);
  queue_ = std::move(queue);
  delivery_ = std::move(delivery);
}

void MotionManager::stopDeviceMotionUpdates() {
  if (delivery_) delivery_->close();
  if (source_) source_->stop();
  delivery_.reset();
  source_.reset();
}

bool MotionManager::isDeviceMotionActive() const {
  return delivery_ && delivery_->accepting;
}

void MotionManager::setSourceOverride(std::optional<std::shared_ptr<MotionSource>> source) {
  SensorDiscovery::setOverride(std::move(source));
}

void MotionManager::setAvailabilityOverride(std::optional<bool> available) {
  if (!available) {
    SensorDiscovery::setOverride(std::nullopt);
  } else if (*available) {
    SensorDiscovery::setOverride(std::make_shared<ScriptedMotionSource>());
  } else {
    SensorDiscovery::setOverride(nullptr);
  }
}

}  // namespace motion
