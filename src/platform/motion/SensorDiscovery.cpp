#include "platform/motion/SensorDiscovery.h"

#include <mutex>

#include "platform/motion/ControllerSource.h"
#include "platform/motion/IioSource.h"

namespace motion {

namespace {

struct Override {
  std::mutex mutex;
  std::optional<std::shared_ptr<MotionSource>> source;
};

Override& overrideSlot() {
  static Override value;
  return value;
}

}  // namespace

std::shared_ptr<MotionSource> SensorDiscovery::find() {
  {
    auto& o = overrideSlot();
    std::lock_guard lock(o.mutex);
    if (o.source) {
      auto source = *o.source;
      return source && source->isPresent() ? source : nullptr;
    }
  }
  auto controller = std::make_shared<ControllerSource>(makeControllerSensors());
  if (controller->isPresent()) return controller;
  auto iio = std::make_shared<IioSource>();
  if (iio->isPresent()) return iio;
  return nullptr;
}

void SensorDiscovery::setOverride(std::optional<std::shared_ptr<MotionSource>> source) {
  auto& o = overrideSlot();
  std::lock_guard lock(o.mutex);
  o.source = std::move(source);
}

}  // namespace motion
