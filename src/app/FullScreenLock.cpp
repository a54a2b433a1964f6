#include "app/FullScreenLock.h"

#include <memory>

#include "choices/ChoicesViewController.h"
#include "platform/ui/Application.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Window.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"

namespace {

std::shared_ptr<ui::WindowPeer> keyPeer() {
  auto window = ui::Application::shared()->keyWindow();
  return window ? window->peer() : nullptr;
}

bool choicesAreOpen() {
  auto master = App::masterViewController;
  auto navigation =
      master
          ? std::dynamic_pointer_cast<ui::NavigationController>(master->presentedViewController())
          : nullptr;
  return navigation &&
         std::dynamic_pointer_cast<ChoicesViewController>(navigation->topViewController());
}

}  // namespace

bool FullScreenLock::isLocked() const {
  auto peer = keyPeer();
  return peer && peer->isFullScreen();
}

void FullScreenLock::toggle() {
  auto peer = keyPeer();
  if (!peer) return;
  if (!peer->isFullScreen()) {
    peer->setFullScreen(true);
  } else if (choicesAreOpen()) {
    peer->setFullScreen(false);
  }
  apply();
}

void FullScreenLock::setActive(bool active) {
  active_ = active;
  apply();
}

void FullScreenLock::windowDidResize() {
  apply();
}

void FullScreenLock::apply() {
  bool locked = isLocked();
  if (auto peer = keyPeer(); peer && peer->isKeyboardGrabbed() != locked) {
    peer->setKeyboardGrabbed(locked);
  }
  ui::Application::shared()->setIdleTimerDisabled(locked && active_);
}
