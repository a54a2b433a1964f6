#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/ui/ViewController.h"
#include "stage/ActionViewController.h"

// The root screen: hosts exactly one action screen, decides at each appearance
// which action to show, and opens the choices.
class MasterViewController : public ui::ViewController {
 public:
  MasterViewController() = default;

  std::shared_ptr<ActionViewController> currentActionViewController;

  void viewDidLoad() override;
  void viewDidAppear(bool animated) override;
  void userInterfaceStyleDidChange() override;
  bool prefersStatusBarHidden() const override { return true; }

  void showChoices(const std::shared_ptr<foundation::Object>& sender);
  // Builds and installs action `number` (0 to 5; callers check the range).
  void installAction(std::int64_t number);

  // Shows the update alert for `latestBuild`: Skip remembers that build, Cancel
  // does nothing, Download opens the download address.
  void presentUpdateAlert(std::int64_t latestBuild);
  // Hands the download address to the desktop; nothing is stored.
  void downloadUpdate();

  bool performAction(const std::string& action,
                     const std::shared_ptr<foundation::Object>& sender) override;

  // Action numbers name the actions: 0 Touch, 1 Gravity, 2 Swipe, 3 Connect, 4 Magnet, 5 Paint.
  static bool isActionNumber(std::int64_t n) { return static_cast<std::uint64_t>(n) <= 5; }
  static std::shared_ptr<ActionViewController> makeAction(std::int64_t number);
  // Tests watch the screens the master makes by putting their own maker here.
  static inline std::function<std::shared_ptr<ActionViewController>(std::int64_t)> actionMaker;

 private:
  void chooseAction();
};
