#include "platform/ui/NavigationController.h"

#include "platform/graphics/BezierPath.h"
#include "platform/ui/Label.h"

namespace ui {

namespace {
constexpr double kBarItemInset = 12;  // between the bar's leading control and its end
}

// Lays out the bar and the content; the bar draws its bottom hairline.
class NavigationController::ContainerView : public View {
 public:
  explicit ContainerView(std::weak_ptr<NavigationController> owner) : owner_(std::move(owner)) {}

  void layoutSubviews() override {
    View::layoutSubviews();
    auto owner = owner_.lock();
    if (!owner) return;
    auto b = bounds();
    owner->bar_->setFrame({0, 0, b.width(), kBarHeight});
    owner->root_->view()->setFrame({0, kBarHeight, b.width(), b.height() - kBarHeight});
    owner->title_->setFrame({0, 0, b.width(), kBarHeight});
    if (auto& item = owner->leading_) {
      auto size = item->frame().size;
      bool rightToLeft =
          effectiveUserInterfaceLayoutDirection() == UserInterfaceLayoutDirection::RightToLeft;
      double x = rightToLeft ? b.width() - kBarItemInset - size.width : kBarItemInset;
      item->setFrame({x, (kBarHeight - size.height) / 2, size.width, size.height});
    }
  }

 private:
  std::weak_ptr<NavigationController> owner_;
};

namespace {
class BarView : public View {
 public:
  BarView() { setDrawsContent(true); }
  void draw(foundation::Rect) override {
    graphics::Color::separator().setFill();
    graphics::BezierPath::withRect({0, bounds().height() - 0.5, bounds().width(), 0.5}).fill();
  }
};
}  // namespace

NavigationController::NavigationController(std::shared_ptr<ViewController> root)
    : root_(std::move(root)) {}

void NavigationController::didCreate() {
  ViewController::didCreate();
  root_->setParentViewController(weakAs<ViewController>());
  root_->setAppearanceManaged(true);
}

void NavigationController::userInterfaceStyleDidChange() {
  view()->setBackgroundColor(graphics::Color::systemBackground());
}

void NavigationController::loadView() {
  auto container = foundation::create<ContainerView>(weakAs<NavigationController>());
  container->setBackgroundColor(graphics::Color::systemBackground());
  bar_ = foundation::create<BarView>();
  title_ = foundation::create<Label>();
  title_->setAlignment(Label::Alignment::Center);
  title_->setBold(true);
  bar_->addSubview(title_);
  if (leading_) bar_->addSubview(leading_);
  container->addSubview(root_->view());
  container->addSubview(bar_);
  setView(container);
}

void NavigationController::setTitle(const std::string& title) {
  view();
  title_->setText(title);
}

void NavigationController::setLeadingBarItem(const std::shared_ptr<View>& item) {
  view();
  if (leading_) leading_->removeFromSuperview();
  leading_ = item;
  if (leading_) bar_->addSubview(leading_);
  view()->setNeedsLayout();
}

void NavigationController::viewWillAppear(bool animated) {
  ViewController::viewWillAppear(animated);
  root_->beginAppearance(true, animated);
}

void NavigationController::viewDidAppear(bool animated) {
  ViewController::viewDidAppear(animated);
  root_->endAppearance();
}

void NavigationController::viewWillDisappear(bool animated) {
  ViewController::viewWillDisappear(animated);
  root_->beginAppearance(false, animated);
}

void NavigationController::viewDidDisappear(bool animated) {
  ViewController::viewDidDisappear(animated);
  root_->endAppearance();
}

std::optional<foundation::Size> NavigationController::preferredContentSize() const {
  auto content = root_->preferredContentSize();
  if (!content) return ViewController::preferredContentSize();
  return foundation::Size{content->width, content->height + kBarHeight};
}

bool NavigationController::keyPressed(const KeyEvent& event) {
  return root_->keyPressed(event) || ViewController::keyPressed(event);
}

}  // namespace ui
