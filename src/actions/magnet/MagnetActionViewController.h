#pragma once

#include <memory>
#include <string>

#include "actions/magnet/MagnetDotView.h"
#include "platform/dynamics/AttachmentBehavior.h"
#include "platform/dynamics/CollisionBehavior.h"
#include "platform/dynamics/DynamicAnimator.h"
#include "stage/ActionViewController.h"

// One dot held to the window's centre by a spring, over a small grey marker.
// A second after loading the spring lets go and the dot glides onto the centre;
// after a drag the spring swings it back, bouncing off the edges.
class MagnetActionViewController : public ActionViewController {
 public:
  explicit MagnetActionViewController(std::string nibName);

  std::shared_ptr<MagnetDotView> magnetDotView();
  std::shared_ptr<dynamics::DynamicAnimator> dynamicAnimator;
  std::shared_ptr<dynamics::AttachmentBehavior> attachmentBehavior;
  std::shared_ptr<dynamics::CollisionBehavior> collisionBehavior;
  // The window's centre when the screen was made: the anchor and the marker's place.
  const foundation::Point centerPoint;

  void viewDidLoad() override;
  void updateColors() override;
  void addBehaviors();
  void removeBehaviors();
  // Lets the spring go and glides the dot onto the centre.
  void returnToCenter();

 private:
  std::shared_ptr<MagnetDotView> magnetDotView_;
};
