#pragma once

#include <memory>

#include "platform/ui/Label.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableViewController.h"

// The grown-up's screen: one row per action, the random-colours switch, and
// below them a line on how to come back here.
// Its rows and outlets come from the choices scene of the storyboard.
class ChoicesViewController : public ui::TableViewController {
 public:
  ChoicesViewController();

  std::shared_ptr<ui::Switch> colorsSwitch;
  std::shared_ptr<ui::Label> touchLabel;
  std::shared_ptr<ui::Label> swipeLabel;
  std::shared_ptr<ui::Label> gravityLabel;
  std::shared_ptr<ui::Label> connectLabel;
  std::shared_ptr<ui::Label> magnetLabel;
  std::shared_ptr<ui::Label> paintLabel;
  std::shared_ptr<ui::Label> colorsLabel;
  std::shared_ptr<ui::Label> footerLabel;  // how to find this screen again
  bool isAccelerometerAvailable;

  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void userInterfaceStyleDidChange() override;

  std::shared_ptr<ui::View> viewForHeader(int section) override;
  double heightForHeader(int section) override;
  double heightForRow(ui::IndexPath indexPath) override;
  void didSelectRow(ui::IndexPath indexPath) override;

  void cancel(const std::shared_ptr<foundation::Object>& sender);
  void randomColorsSwitchChanges(const std::shared_ptr<foundation::Object>& sender);

  bool keyPressed(const ui::KeyEvent& event) override;
};
