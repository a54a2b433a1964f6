#pragma once

#include "stage/ActionViewController.h"

// Finger painting inside a random shape's outline; the picture is wiped after
// two idle seconds. The view does the work: see PaintBackgroundView.
class PaintActionViewController : public ActionViewController {
 public:
  using ActionViewController::ActionViewController;

  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void updateColors() override;
};
