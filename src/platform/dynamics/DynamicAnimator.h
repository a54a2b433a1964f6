#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/foundation/Object.h"
#include "platform/ui/GeometryObserver.h"

namespace ui {
class View;
}

namespace dynamics {

class Behavior;
class Simulation;

// Runs the behaviours added to it on their items, in one Box2D world, in the
// coordinates of its reference view (held weakly). It is stepped from the main
// run loop's frames in fixed substeps and writes each item's centre back after
// every substep. Once every body sleeps it stops asking for frames, so the loop
// can sleep; adding, removing or changing a behaviour wakes it, and so does
// code moving one of its items or resizing the reference view.
// Make it with foundation::create: it observes frames through a weak reference.
// Main thread only.
class DynamicAnimator : public foundation::Object, public ui::GeometryObserver {
 public:
  static constexpr double kSubstep = 1.0 / 120;
  // A longer gap between frames (a stall, a suspended process) counts as one frame.
  static constexpr double kLongestGap = 0.5;
  static constexpr double kGapReplacement = 1.0 / 60;

  explicit DynamicAnimator(std::shared_ptr<ui::View> referenceView);
  ~DynamicAnimator() override;

  std::shared_ptr<ui::View> referenceView() const { return referenceView_.lock(); }

  // A behaviour belongs to one animator at a time; adding it twice does nothing.
  void addBehavior(std::shared_ptr<Behavior> behavior);
  void removeBehavior(const std::shared_ptr<Behavior>& behavior);
  void removeAllBehaviors();
  const std::vector<std::shared_ptr<Behavior>>& behaviors() const { return behaviors_; }

  // False once every body sleeps (the animator then observes no frames).
  bool isRunning() const { return observing_; }

  // Something the world depends on changed: rebuild what is needed and wake.
  void setNeedsUpdate();

  // The simulation, for the behaviours' hooks.
  Simulation& simulation() { return *simulation_; }

  void viewGeometryDidChange(ui::View& view) override;

 private:
  bool frame(double now);
  void substep();

  std::weak_ptr<ui::View> referenceView_;
  std::vector<std::shared_ptr<Behavior>> behaviors_;
  std::unique_ptr<Simulation> simulation_;
  bool needsUpdate_ = true;
  bool observing_ = false;
  bool writingBack_ = false;
  double lastFrame_ = 0;
  double accumulator_ = 0;
};

}  // namespace dynamics
