#include "platform/motion/SensorDiscovery.h"

#include <mutex>

#include "platform/motion/ControllerSource.h"
#include "platform/motion/IioSource.h"

namespace motion {

namespace {

struct Override {
  std::mutex mutex;
  std::optional<std::shared_ptr<MotionSource>> source;
  SensorDiscovery::ControllerSensorsFactory controllerSensors;
};

Override& overrideSlot() {
  static Override value;
  return value;
}

}  // namespace

std::shared_ptr<MotionSource> SensorDiscovery::find() {
  ControllerSensorsFactory controllerSensors;
  {
    auto& o = overrideSlot();
    std::lock_guard lock(o.mutex);
    if (o.source) {
      auto source = *o.source;
      return source && source->isPresent() ? source : nullptr;
    }
    controllerSensors = o.controllerSensors;
  }
  if (controllerSensors) {
    auto controller = std::make_shared<ControllerSource>(controllerSensors());
    if (controller->isPresent()) return controller;
  }
  auto iio = std::make_shared<IioSource>();
  if (iio->isPresent()) return iio;
  return nullptr;
}

void SensorDiscovery::setControllerSensorsFactory(ControllerSensorsFactory factory) {
  auto& o = overrideSlot();
  std::lock_guard lock(o.mutex);
  o.controllerSensors = std::move(factory);
}

void SensorDiscovery::setOverride(std::optional<std::shared_ptr<MotionSource>> source) {
  auto& o = overrideSlot();
  std::lock_guard lock(o.mutex);
  o.source = std::move(source);
}

}  // namespace motion
