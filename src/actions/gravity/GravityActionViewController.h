#pragma once

#include <memory>
#include <optional>

#include "platform/dynamics/CollisionBehavior.h"
#include "platform/dynamics/DynamicAnimator.h"
#include "platform/dynamics/DynamicItemBehavior.h"
#include "platform/dynamics/GravityBehavior.h"
#include "platform/motion/MotionManager.h"
#include "shared/DotView.h"
#include "stage/ActionViewController.h"

// Three dots that fall, collide and bounce, their gravity following the tilt
// of the device relative to its attitude at the first sample. Without a motion
// sensor the gravity stays straight down.
class GravityActionViewController : public ActionViewController {
 public:
  using ActionViewController::ActionViewController;

  std::shared_ptr<DotView> firstDotView();
  std::shared_ptr<DotView> secondDotView();
  std::shared_ptr<DotView> thirdDotView();
  std::shared_ptr<dynamics::DynamicAnimator> dynamicAnimator;
  std::shared_ptr<dynamics::DynamicItemBehavior> itemBehavior;
  std::shared_ptr<dynamics::CollisionBehavior> collisionBehavior;
  std::shared_ptr<dynamics::GravityBehavior> gravityBehavior;
  motion::MotionManager& motionManager();
  // Written and read only by the motion handler, on the queue of the current
  // start; a start begins only after the previous one's handler has finished.
  const std::optional<motion::Attitude>& referenceAttitude() const { return referenceAttitude_; }

  void viewDidLoad() override;
  void updateColors() override;
  void addBehaviors();
  void startMotionUpdates();
  // On the motion queue.
  void handleDeviceMotion(std::optional<motion::DeviceMotion> motion);
  void applyAttitude(motion::Attitude attitude);

  void prepareForRemoval() override;
  void didEnterBackground() override;
  void didBecomeActive() override;

 private:
  static std::shared_ptr<DotView> lazyDot(std::shared_ptr<DotView>& slot);

  std::shared_ptr<DotView> firstDotView_;
  std::shared_ptr<DotView> secondDotView_;
  std::shared_ptr<DotView> thirdDotView_;
  std::unique_ptr<motion::MotionManager> motionManager_;
  std::optional<motion::Attitude> referenceAttitude_;
};
