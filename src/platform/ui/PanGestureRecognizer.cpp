#include "platform/ui/PanGestureRecognizer.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/View.h"

namespace ui {

using foundation::Point;

namespace {

Point inView(const View* view, Point windowPoint) {
  return view ? view->convertFromWindow(windowPoint) : windowPoint;
}

}  // namespace

Point PanGestureRecognizer::translationInView(const View* view) const {
  if (!touch_) return {};
  return inView(view, touch_->locationIn(nullptr)) - inView(view, start_);
}

Point PanGestureRecognizer::velocityInView(const View* view) const {
  if (samples_.size() < 2) return {};
  const Sample& last = samples_.back();
  // The newest sample at least a window older than the last, else the oldest.
  const Sample* first = &samples_.front();
  for (const auto& sample : samples_) {
    if (sample.time <= last.time - kVelocityWindow) first = &sample;
  }
  double elapsed = last.time - first->time;
  if (elapsed <= 0) return {};
  Point displacement = inView(view, last.location) - inView(view, first->location);
  return displacement * (1 / elapsed);
}

bool PanGestureRecognizer::isTracked(const TouchSet& touches) const {
  return touch_ && std::find(touches.begin(), touches.end(), touch_) != touches.end();
}

void PanGestureRecognizer::record() {
  samples_.push_back({touch_->timestamp(), touch_->locationIn(nullptr)});
  // Keep only what the velocity can still need.
  while (samples_.size() > 2 && samples_[1].time <= samples_.back().time - kVelocityWindow) {
    samples_.pop_front();
  }
}

void PanGestureRecognizer::touchesBegan(const TouchSet& touches) {
  if (touch_ || touches.empty()) return;
  touch_ = touches.front();
  start_ = touch_->locationIn(nullptr);
  samples_.clear();
  record();
}

void PanGestureRecognizer::touchesMoved(const TouchSet& touches) {
  if (!isTracked(touches)) return;
  record();
  if (state() == State::Possible) {
    Point moved = touch_->locationIn(nullptr) - start_;
    if (std::hypot(moved.x, moved.y) > kMovementThreshold) setState(State::Began);
  } else if (isRecognizing()) {
    setState(State::Changed);
  }
}

void PanGestureRecognizer::touchesEnded(const TouchSet& touches) {
  if (!isTracked(touches)) return;
  record();
  setState(isRecognizing() ? State::Ended : State::Failed);
  reset();
}

void PanGestureRecognizer::touchesCancelled(const TouchSet& touches) {
  if (!isTracked(touches)) return;
  setState(isRecognizing() ? State::Cancelled : State::Failed);
  reset();
}

void PanGestureRecognizer::reset() {
  GestureRecognizer::reset();
  touch_.reset();
  samples_.clear();
}

}  // namespace ui
