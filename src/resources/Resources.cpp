#include "resources/Resources.h"

#include "actions/connect/ConnectBackgroundView.h"
#include "actions/paint/PaintBackgroundView.h"
#include "platform/ui/Nib.h"
#include "platform/ui/Storyboard.h"
#include "resources/ChoicesScene.h"
#include "stage/MasterViewController.h"

namespace {

// The three action nibs hold nothing but their root view; each screen builds
// its content in code.
std::shared_ptr<ui::View> plainRootView(ui::ViewController&) {
  return foundation::create<ui::View>();
}

}  // namespace

void registerResources() {
  ui::Nib::registerNib("StandardActionViewController", plainRootView);
  ui::Nib::registerNib("ConnectActionViewController", [](ui::ViewController&) {
    return std::shared_ptr<ui::View>(foundation::create<ConnectBackgroundView>());
  });
  ui::Nib::registerNib("PaintActionViewController", [](ui::ViewController&) {
    return std::shared_ptr<ui::View>(foundation::create<PaintBackgroundView>());
  });

  ui::Storyboard::registerStoryboard("Main", [] {
    auto master = foundation::create<MasterViewController>();
    master->view()->setBackgroundColor(graphics::Color::systemBackground());
    return master;
  });
  registerChoicesScene();
}
