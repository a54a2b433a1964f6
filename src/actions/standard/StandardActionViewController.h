#pragma once

#include "stage/ActionViewController.h"

// A plain action screen: the background and nothing on it. Stands in for the
// actions that are not built yet.
class StandardActionViewController : public ActionViewController {
 public:
  using ActionViewController::ActionViewController;
};
