#include "platform/ui/ViewController.h"

#include "platform/ui/Nib.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/Window.h"

namespace ui {

std::shared_ptr<View> ViewController::view() {
  if (!view_) {
    loadView();
    if (!view_) setView(foundation::create<View>());
    viewDidLoad();
  }
  return view_;
}

void ViewController::loadView() {
  if (!nibName_.empty()) {
    if (auto view = Nib::instantiate(nibName_, *this)) {
      setView(view);
      return;
    }
  }
  setView(foundation::create<View>());
}

void ViewController::setView(const std::shared_ptr<View>& view) {
  view_ = view;
  if (view_) view_->setViewController(weakAs<ViewController>());
}

void ViewController::presentViewController(const std::shared_ptr<ViewController>& controller,
                                           bool animated, std::function<void()> completion) {
  auto window = view()->window();
  // Like the platform: one presentation at a time, and only from a controller on screen.
  if (!controller || presented_ || !window || controller->presenting_.lock()) return;
  controller->setAppearanceManaged(true);
  controller->view();  // loaded before it hears that it will appear
  presented_ = controller;
  controller->presenting_ = weakAs<ViewController>();
  bool sheet = controller->style_ == ModalPresentationStyle::Sheet;
  auto self = sharedAs<ViewController>();
  if (!sheet) beginAppearance(false, animated);
  controller->beginAppearance(true, animated);
  window->showPresented(controller, sheet, animated, [self, controller, sheet, completion] {
    controller->endAppearance();
    if (!sheet) self->endAppearance();
    if (completion) completion();
  });
}

void ViewController::dismissViewController(bool animated, std::function<void()> completion) {
  // Asked of the presented controller, the platform hands it to its presenter.
  if (!presented_) {
    if (auto presenter = presentingViewController()) {
      presenter->dismissViewController(animated, std::move(completion));
    }
    return;
  }
  auto controller = presented_;
  if (controller->dismissing_) return;
  controller->dismissing_ = true;
  auto window = view()->window();
  bool sheet = controller->style_ == ModalPresentationStyle::Sheet;
  auto self = sharedAs<ViewController>();
  controller->beginAppearance(false, animated);
  if (!sheet) beginAppearance(true, animated);
  auto finish = [self, controller, sheet, completion] {
    self->presented_.reset();
    controller->presenting_.reset();
    controller->dismissing_ = false;
    controller->endAppearance();
    if (!sheet) self->endAppearance();
    if (completion) completion();
  };
  if (window) {
    window->hidePresented(controller, animated, finish);
  } else {
    finish();
  }
}

void ViewController::performSegue(const std::string& identifier,
                                  const std::shared_ptr<foundation::Object>& sender) {
  auto destination = Storyboard::destinationForSegue(identifier);
  if (!destination) return;
  StoryboardSegue segue(identifier, sharedAs<ViewController>(), destination);
  prepareForSegue(segue, sender);
  presentViewController(destination, true);
}

std::shared_ptr<ViewController> ViewController::presentingViewController() const {
  if (auto presenter = presenting_.lock()) return presenter;
  auto parent = parentViewController();
  return parent ? parent->presentingViewController() : nullptr;
}

std::shared_ptr<Responder> ViewController::nextResponder() const {
  if (auto parent = parentViewController()) return parent;
  if (auto presenter = presenting_.lock()) return presenter;
  return view_ ? view_->superview() : nullptr;
}

void ViewController::beginAppearance(bool appearing, bool animated) {
  appearing_ = appearing;
  animatedTransition_ = animated;
  if (appearing) {
    viewWillAppear(animated);
  } else {
    viewWillDisappear(animated);
  }
}

void ViewController::endAppearance() {
  if (appearing_) {
    viewDidAppear(animatedTransition_);
  } else {
    viewDidDisappear(animatedTransition_);
  }
}

}  // namespace ui
