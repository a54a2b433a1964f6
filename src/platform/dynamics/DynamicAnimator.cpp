#include "platform/dynamics/DynamicAnimator.h"

#include <algorithm>

#include "platform/dynamics/Behavior.h"
#include "platform/dynamics/Simulation.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/View.h"

namespace dynamics {

DynamicAnimator::DynamicAnimator(std::shared_ptr<ui::View> referenceView)
    : referenceView_(referenceView), simulation_(std::make_unique<Simulation>()) {
  if (referenceView) simulation_->setReferenceBounds(referenceView->bounds());
}

DynamicAnimator::~DynamicAnimator() {
  for (auto& behavior : behaviors_) {
    behavior->willDetach(*simulation_);
    behavior->animator_.reset();
  }
}

void DynamicAnimator::addBehavior(std::shared_ptr<Behavior> behavior) {
  if (!behavior || behavior->dynamicAnimator()) return;
  behavior->animator_ = weakAs<DynamicAnimator>();
  std::weak_ptr<ui::GeometryObserver> self = weakAs<DynamicAnimator>();
  for (const auto& item : behavior->items()) {
    if (item) item->addGeometryObserver(self);
  }
  if (auto reference = referenceView_.lock()) reference->addGeometryObserver(self);
  behaviors_.push_back(std::move(behavior));
  setNeedsUpdate();
}

void DynamicAnimator::removeBehavior(const std::shared_ptr<Behavior>& behavior) {
  auto it = std::find(behaviors_.begin(), behaviors_.end(), behavior);
  if (it == behaviors_.end()) return;
  behavior->willDetach(*simulation_);
  behavior->animator_.reset();
  behaviors_.erase(it);
  setNeedsUpdate();
}

void DynamicAnimator::removeAllBehaviors() {
  auto behaviors = behaviors_;
  for (auto& behavior : behaviors) removeBehavior(behavior);
}

void DynamicAnimator::setNeedsUpdate() {
  needsUpdate_ = true;
  if (observing_) return;
  std::weak_ptr<DynamicAnimator> weak = weakAs<DynamicAnimator>();
  observing_ = true;
  accumulator_ = 0;
  lastFrame_ = foundation::RunLoop::main().now();
  foundation::RunLoop::main().addFrameObserver([weak](double now) {
    auto self = weak.lock();
    return self && self->frame(now);
  });
}

void DynamicAnimator::viewGeometryDidChange(ui::View& view) {
  if (writingBack_) return;
  bool mine = &view == referenceView_.lock().get() ||
              std::any_of(behaviors_.begin(), behaviors_.end(),
                          [&](const auto& behavior) { return behavior->containsItem(view); });
  if (mine) setNeedsUpdate();
}

bool DynamicAnimator::frame(double now) {
  double gap = now - lastFrame_;
  lastFrame_ = now;
  if (gap > kLongestGap) gap = kGapReplacement;
  accumulator_ += std::max(gap, 0.0);
  // Keep one strong reference while behaviours and delegates run: they may drop
  // the last owner of this animator.
  auto self = sharedAs<DynamicAnimator>();
  // The tolerance keeps a 60 Hz frame at exactly two substeps despite rounding,
  // instead of alternating one and three (a visible stutter).
  while (accumulator_ >= kSubstep - 1e-9) {
    accumulator_ -= kSubstep;
    substep();
  }
  if (needsUpdate_ || !simulation_->allAsleep()) return true;
  observing_ = false;
  return false;
}

void DynamicAnimator::substep() {
  if (auto reference = referenceView_.lock()) simulation_->setReferenceBounds(reference->bounds());
  if (needsUpdate_) {
    needsUpdate_ = false;
    simulation_->update(behaviors_);
    simulation_->wakeAll();
  }
  simulation_->adoptMovedItems();
  // Hooks may add or remove behaviours; they run on a copy.
  auto behaviors = behaviors_;
  auto attached = [this](const Behavior& behavior) {
    return behavior.animator_.lock().get() == this;
  };
  for (auto& behavior : behaviors) {
    if (attached(*behavior)) behavior->willStep(*simulation_, kSubstep);
  }
  simulation_->step();
  for (auto& behavior : behaviors) {
    if (attached(*behavior)) behavior->didStep(*simulation_);
  }
  writingBack_ = true;
  simulation_->writeBack();
  writingBack_ = false;
}

}  // namespace dynamics
