#include "platform/motion/ScriptedMotionSource.h"

namespace motion {

bool ScriptedMotionSource::isPresent() {
  std::lock_guard lock(mutex_);
  return present_;
}

bool ScriptedMotionSource::start(double interval, Callbacks callbacks) {
  std::lock_guard lock(mutex_);
  if (!present_) return false;
  running_ = true;
  ++starts_;
  interval_ = interval;
  callbacks_ = std::move(callbacks);
  return true;
}

void ScriptedMotionSource::stop() {
  std::lock_guard lock(mutex_);
  running_ = false;
  callbacks_ = {};
}

void ScriptedMotionSource::emit(const DeviceMotion& sample) {
  Callbacks callbacks;
  {
    std::lock_guard lock(mutex_);
    if (!running_) return;
    callbacks = callbacks_;
  }
  callbacks.sample(sample);
}

void ScriptedMotionSource::disappear() {
  Callbacks callbacks;
  {
    std::lock_guard lock(mutex_);
    present_ = false;
    if (!running_) return;
    running_ = false;
    callbacks = std::move(callbacks_);
    callbacks_ = {};
  }
  callbacks.lost();
}

void ScriptedMotionSource::setPresent(bool present) {
  std::lock_guard lock(mutex_);
  present_ = present;
}

bool ScriptedMotionSource::isRunning() const {
  std::lock_guard lock(mutex_);
  return running_;
}

int ScriptedMotionSource::startCount() const {
  std::lock_guard lock(mutex_);
  return starts_;
}

double ScriptedMotionSource::interval() const {
  std::lock_guard lock(mutex_);
  return interval_;
}

}  // namespace motion
