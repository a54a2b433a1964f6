#include "platform/ui/Application.h"

#include <cairo.h>

#include "platform/foundation/Localization.h"

#include "platform/ui/Storyboard.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

namespace ui {

namespace {
std::shared_ptr<Application>& sharedSlot() {
  static std::shared_ptr<Application> app;
  return app;
}
}  // namespace

std::shared_ptr<Application> Application::shared() {
  auto& slot = sharedSlot();
  if (!slot) slot = foundation::create<Application>();
  return slot;
}

void Application::reset() {
  sharedSlot() = foundation::create<Application>();
}

std::optional<std::string> Application::launch(std::shared_ptr<ApplicationDelegate> delegate,
                                               std::shared_ptr<Backend> backend, Options options) {
  delegate_ = std::move(delegate);
  backend_ = std::move(backend);
  if (auto error = backend_->start()) return error;
  foundation::RunLoop::main().setEventSource(backend_->eventSource());

  delegate_->didFinishLaunching();
  mainMenu_ = MenuBuilder::standardMainMenu(options.title);
  MenuBuilder builder(MenuSystem::Main, mainMenu_);
  delegate_->buildMenu(builder);

  SceneSession session{"UIWindowSceneSessionRoleApplication", "main"};
  auto configuration = delegate_->configurationForConnectingSceneSession(session);
  const SceneManifestEntry* entry = SceneManifest::lookup(configuration.name);
  if (!entry) return "no scene configuration named \"" + configuration.name + "\"";

  std::string error;
  auto peer = backend_->createWindow(options.title, options.windowSize, error);
  if (!peer) return error;
  if (!iconPath_.empty()) {
    cairo_surface_t* icon = cairo_image_surface_create_from_png(iconPath_.c_str());
    if (cairo_surface_status(icon) == CAIRO_STATUS_SUCCESS) peer->setIcon(icon);
    cairo_surface_destroy(icon);
  }
  auto scene = foundation::create<WindowScene>(session);
  if (entry->delegateFactory) scene->setDelegate(entry->delegateFactory());
  auto window = foundation::create<Window>(peer);
  window->setWindowScene(scene);
  scene->addWindow(window);
  scenes_.push_back(scene);
  window->setRootViewController(Storyboard::instantiateInitial(entry->storyboard));
  if (auto& sceneDelegate = scene->delegate()) sceneDelegate->willConnect(*scene, session);
  window->makeKeyAndVisible();
  setActive(true);
  return std::nullopt;
}

UserInterfaceLayoutDirection Application::userInterfaceLayoutDirection() const {
  if (direction_) return *direction_;
  return foundation::Localization::isRightToLeft(foundation::Localization::language())
             ? UserInterfaceLayoutDirection::RightToLeft
             : UserInterfaceLayoutDirection::LeftToRight;
}

void Application::run() {
  foundation::RunLoop::main().run();
}

void Application::tearDown() {
  foundation::RunLoop::main().shutDown();
  scenes_.clear();
  mainMenu_.reset();
  delegate_.reset();
  backend_.reset();
}

void Application::terminate() {
  if (delegate_) delegate_->willTerminate();
  foundation::RunLoop::main().stop();
}

void Application::requestTermination() {
  if (delegate_ && !delegate_->shouldTerminate()) return;
  terminate();
}

void Application::setIdleTimerDisabled(bool disabled) {
  if (disabled == idleTimerDisabled_) return;
  idleTimerDisabled_ = disabled;
  if (backend_) backend_->setScreenSaverEnabled(!disabled);
}

std::shared_ptr<Window> Application::keyWindow() const {
  for (const auto& scene : scenes_) {
    if (auto ws = std::dynamic_pointer_cast<WindowScene>(scene); ws && !ws->windows().empty()) {
      return ws->windows().front();
    }
  }
  return nullptr;
}

bool Application::sendAction(const std::string& action,
                             const std::shared_ptr<foundation::Object>& sender) {
  auto window = keyWindow();
  std::shared_ptr<Responder> responder = window ? window->topViewController() : nullptr;
  if (!responder) responder = sharedAs<Responder>();
  for (; responder; responder = responder->nextResponder()) {
    if (responder->performAction(action, sender)) return true;
  }
  return false;
}

bool Application::performKeyCommand(const KeyEvent& event) {
  if (!mainMenu_) return false;
  const KeyCommand* command = mainMenu_->commandFor(event);
  if (!command) return false;
  sendAction(command->action, nullptr);
  return true;
}

void Application::openURL(const std::string& url, std::function<void(bool)> completion) {
  bool ok = backend_ && backend_->openURL(url);
  if (completion) completion(ok);
}

graphics::Appearance::Style Application::userInterfaceStyle() const {
  return graphics::Appearance::current();
}

void Application::setUserInterfaceStyle(graphics::Appearance::Style style) {
  if (style == graphics::Appearance::current()) return;
  graphics::Appearance::setCurrent(style);
  for (const auto& scene : scenes_) {
    auto windowScene = std::dynamic_pointer_cast<WindowScene>(scene);
    if (!windowScene) continue;
    for (const auto& window : windowScene->windows()) propagateUserInterfaceStyleChange(*window);
  }
}

void Application::windowDidResize() {
  auto window = keyWindow();
  if (!window) return;
  window->peerDidResize();
  if (auto scene = window->windowScene(); scene && scene->delegate()) {
    scene->delegate()->didUpdateCoordinateSpace(*scene);
  }
}

void Application::setActive(bool active) {
  if (active == active_ || !delegate_) return;
  active_ = active;
  if (active) {
    delegate_->didBecomeActive();
  } else {
    delegate_->willResignActive();
  }
}

void Application::setVisible(bool visible) {
  if (visible == visible_ || !delegate_) return;
  visible_ = visible;
  if (visible) {
    delegate_->willEnterForeground();
    setActive(true);
  } else {
    setActive(false);
    delegate_->didEnterBackground();
  }
}

}  // namespace ui
