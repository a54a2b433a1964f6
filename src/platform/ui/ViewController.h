#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/Responder.h"
#include "platform/ui/View.h"

namespace ui {

class StoryboardSegue;

enum class ModalPresentationStyle { FullScreen, Sheet };

// Owns one view, built on first use from its nib (by name, through the nib
// registry) or as a plain view, and hears when it appears and disappears.
class ViewController : public Responder {
 public:
  explicit ViewController(std::string nibName = {}) : nibName_(std::move(nibName)) {}

  std::shared_ptr<View> view();
  bool isViewLoaded() const { return view_ != nullptr; }
  const std::string& nibName() const { return nibName_; }

  virtual void loadView();
  virtual void viewDidLoad() {}
  virtual void viewWillAppear(bool animated) { (void)animated; }
  virtual void viewDidAppear(bool animated) { (void)animated; }
  virtual void viewWillDisappear(bool animated) { (void)animated; }
  virtual void viewDidDisappear(bool animated) { (void)animated; }
  virtual void viewDidLayoutSubviews() {}
  virtual void didReceiveMemoryWarning() {}
  // After the light or dark appearance changed, before the controller's view
  // hears it: take again the system colours given to views.
  virtual void userInterfaceStyleDidChange() {}
  virtual bool prefersStatusBarHidden() const { return false; }
  // The size a sheet would like to be; empty leaves it to the window.
  virtual std::optional<foundation::Size> preferredContentSize() const { return preferred_; }
  void setPreferredContentSize(std::optional<foundation::Size> size) { preferred_ = size; }

  // Modal presentation. A sheet leaves the presenter on screen, so the presenter
  // hears nothing; a full-screen presentation covers it, so it disappears and,
  // at dismissal, appears again.
  void setModalPresentationStyle(ModalPresentationStyle style) { style_ = style; }
  void presentViewController(const std::shared_ptr<ViewController>& controller, bool animated,
                             std::function<void()> completion = nullptr);
  // Dismisses what this controller presented, or itself when it was presented.
  void dismissViewController(bool animated, std::function<void()> completion = nullptr);
  std::shared_ptr<ViewController> presentedViewController() const { return presented_; }
  // The controller that presented this one, or its container's presenter.
  std::shared_ptr<ViewController> presentingViewController() const;
  // The container this controller's view lives in (a navigation controller).
  std::shared_ptr<ViewController> parentViewController() const { return parent_.lock(); }
  void setParentViewController(const std::weak_ptr<ViewController>& parent) { parent_ = parent; }

  // Segues by identifier, from the storyboard registry.
  void performSegue(const std::string& identifier,
                    const std::shared_ptr<foundation::Object>& sender);
  virtual void prepareForSegue(StoryboardSegue& segue,
                               const std::shared_ptr<foundation::Object>& sender) {
    (void)segue;
    (void)sender;
  }

  std::shared_ptr<Responder> nextResponder() const override;

  // Appearance transitions, driven by the window and by presentation.
  void beginAppearance(bool appearing, bool animated);
  void endAppearance();
  // A controller whose view is merely added to a view on screen hears its
  // appearance from the view itself; the window's root and presented
  // controllers are driven by the window and by presentation instead.
  bool appearanceManaged() const { return appearanceManaged_; }
  void setAppearanceManaged(bool managed) { appearanceManaged_ = managed; }

 protected:
  void setView(const std::shared_ptr<View>& view);

 private:
  std::string nibName_;
  std::shared_ptr<View> view_;
  ModalPresentationStyle style_ = ModalPresentationStyle::Sheet;
  std::shared_ptr<ViewController> presented_;
  std::weak_ptr<ViewController> presenting_;
  std::weak_ptr<ViewController> parent_;
  bool dismissing_ = false;
  bool appearing_ = false;
  bool animatedTransition_ = false;
  bool appearanceManaged_ = false;
  std::optional<foundation::Size> preferred_;
};

}  // namespace ui
