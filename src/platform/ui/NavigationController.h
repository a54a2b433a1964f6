#pragma once

#include <memory>
#include <string>

#include "platform/ui/ViewController.h"

namespace ui {

class Label;

// A container with a bar on top (title, and a control at its leading end: the
// left, or the right when the interface reads right to left) and one content
// controller below it. Appearance, keys and dismissal pass through to the
// content.
class NavigationController : public ViewController {
 public:
  explicit NavigationController(std::shared_ptr<ViewController> root);
  static constexpr double kBarHeight = 52;

  const std::shared_ptr<ViewController>& topViewController() const { return root_; }
  void setTitle(const std::string& title);
  void setLeadingBarItem(const std::shared_ptr<View>& item);
  const std::shared_ptr<View>& leadingBarItem() const { return leading_; }

  void loadView() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  void viewDidDisappear(bool animated) override;
  bool keyPressed(const KeyEvent& event) override;
  void userInterfaceStyleDidChange() override;
  std::optional<foundation::Size> preferredContentSize() const override;

 protected:
  void didCreate() override;

 private:
  class ContainerView;
  std::shared_ptr<ViewController> root_;
  std::shared_ptr<View> bar_;
  std::shared_ptr<Label> title_;
  std::shared_ptr<View> leading_;
};

}  // namespace ui
