#pragma once

#include <memory>

#include "actions/touch/TouchDotView.h"
#include "stage/ActionViewController.h"

// One dot that jumps to a new random place when it is tapped.
class TouchActionViewController : public ActionViewController {
 public:
  using ActionViewController::ActionViewController;

  std::shared_ptr<TouchDotView> touchDotView();

  void viewDidLoad() override;
  void updateColors() override;
  // Fades the dot out, then shows it at a new random place.
  void relocateDot();

 private:
  std::shared_ptr<TouchDotView> touchDotView_;
};
