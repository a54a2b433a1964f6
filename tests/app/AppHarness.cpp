#include "app/AppHarness.h"

#include <cairo.h>
#include <unistd.h>

#include <future>

#include "app/AppDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/motion/MotionManager.h"
#include "platform/ui/Application.h"
#include "resources/Resources.h"
#include "settings/Background.h"
#include "settings/Defaults.h"
#include "shared/App.h"
#include "update/UpdateCheck.h"

void AppHarness::SetUp() {
  foundation::RunLoop::resetMainWithVirtualClock();
  ui::Application::reset();
  App::reset();
  MasterViewController::actionMaker = nullptr;
  motion::MotionManager::setAvailabilityOverride(false);
  char pattern[] = "/tmp/tamarock-app-XXXXXX";
  dir_ = mkdtemp(pattern);
  foundation::UserDefaults::resetStandard(settingsFile());
  // No test reaches the real site: an address that is no URL ends the check at once.
  UpdateCheck::reset();
  UpdateCheck::siteOverride = "";
  registerResources();
}

void AppHarness::TearDown() {
  waitForBackground();
  UpdateCheck::reset();
  App::reset();
  ui::Application::reset();
  MasterViewController::actionMaker = nullptr;
  motion::MotionManager::setAvailabilityOverride(std::nullopt);
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void AppHarness::launch(foundation::Size size) {
  backend = std::make_shared<headless::HeadlessBackend>();
  auto error = ui::Application::shared()->launch(foundation::create<AppDelegate>(), backend,
                                                 {"Tamarock", size});
  ASSERT_FALSE(error) << *error;
}

void AppHarness::storeReturningUser(std::int64_t action) {
  Defaults::registerDefaults();
  Defaults::setFirstLaunch(false);
  Defaults::setCurrentAction(action);
}

void AppHarness::advance(double seconds) {
  foundation::RunLoop::main().advance(seconds);
}

std::shared_ptr<ui::Window> AppHarness::window() const {
  return ui::Application::shared()->keyWindow();
}

std::shared_ptr<MasterViewController> AppHarness::master() const {
  return App::masterViewController;
}

std::shared_ptr<ui::ViewController> AppHarness::presented() const {
  return master() ? master()->presentedViewController() : nullptr;
}

void AppHarness::touch(ui::TouchPhase phase, foundation::Point p, std::int64_t id) {
  window()->sendTouch({id, phase, p, foundation::RunLoop::main().now()});
}

void AppHarness::tap(foundation::Point p) {
  touch(ui::TouchPhase::Began, p);
  advance(0.05);
  touch(ui::TouchPhase::Ended, p);
}

void AppHarness::key(ui::Key key, std::string input, unsigned modifiers) {
  window()->sendKey({key, std::move(input), modifiers, false});
}

std::uint32_t AppHarness::pixelAt(foundation::Point p) {
  auto w = window();
  w->render();
  cairo_surface_t* surface = w->peer()->beginFrame();
  cairo_surface_flush(surface);
  int x = static_cast<int>(p.x * w->scale());
  int y = static_cast<int>(p.y * w->scale());
  auto* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  return reinterpret_cast<const std::uint32_t*>(row)[x] | 0xff000000u;
}

std::uint32_t argb(int r, int g, int b) {
  return 0xff000000u | (static_cast<std::uint32_t>(r) << 16) |
         (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

void AppHarness::waitForBackground() {
  auto done = std::make_shared<std::promise<void>>();
  auto finished = done->get_future();
  Background().async([done] { done->set_value(); });
  finished.wait();
}
