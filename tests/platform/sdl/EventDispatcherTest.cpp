#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/sdl/EventDispatcher.h"
#include "platform/ui/Application.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

using foundation::Point;

namespace {

constexpr const char* kConfiguration = "SdlDispatchTest";

struct Journal {
  std::vector<std::string> entries;
};

struct RecordingDelegate : ui::ApplicationDelegate {
  explicit RecordingDelegate(std::shared_ptr<Journal> journal) : journal(std::move(journal)) {}
  void willResignActive() override { journal->entries.push_back("resign"); }
  void didEnterBackground() override { journal->entries.push_back("background"); }
  void willEnterForeground() override { journal->entries.push_back("foreground"); }
  void didBecomeActive() override { journal->entries.push_back("active"); }
  void willTerminate() override { journal->entries.push_back("terminate"); }
  bool shouldTerminate() override {
    journal->entries.push_back("asked");
    return allowsClose;
  }
  ui::SceneConfiguration configurationForConnectingSceneSession(
      const ui::SceneSession& session) override {
    return {kConfiguration, session.role};
  }
  std::shared_ptr<Journal> journal;
  bool allowsClose = true;
};

struct TouchView : ui::View {
  void touchesBegan(const ui::TouchSet& touches) override { record("began", touches); }
  void touchesEnded(const ui::TouchSet& touches) override { record("ended", touches); }
  void record(const std::string& what, const ui::TouchSet& touches) {
    for (const auto& t : touches) {
      Point p = t->locationIn(nullptr);
      entries.push_back(what + " " + std::to_string(static_cast<int>(p.x)) + "," +
                        std::to_string(static_cast<int>(p.y)));
    }
  }
  std::vector<std::string> entries;
};

struct KeyController : ui::ViewController {
  void loadView() override { setView(foundation::create<TouchView>()); }
  bool keyPressed(const ui::KeyEvent& event) override {
    keys.push_back(event.input);
    return true;
  }
  std::vector<std::string> keys;
};

class EventDispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    ui::Application::reset();
    ui::Storyboard::registerStoryboard(kConfiguration,
                                       [] { return foundation::create<KeyController>(); });
    ui::SceneManifest::registerConfiguration(kConfiguration, {nullptr, kConfiguration});
  }
  void TearDown() override { ui::Application::reset(); }

  void launch() {
    backend = std::make_shared<headless::HeadlessBackend>();
    auto error = app()->launch(foundation::create<RecordingDelegate>(journal), backend,
                               {"Tamarock", {400, 500}});
    ASSERT_FALSE(error) << *error;
    journal->entries.clear();
  }
  static std::shared_ptr<ui::Application> app() { return ui::Application::shared(); }
  void send(const sdl::InputEvent& event) { sdl::dispatch(event, *app()); }
  std::shared_ptr<KeyController> controller() const {
    return std::dynamic_pointer_cast<KeyController>(app()->keyWindow()->rootViewController());
  }
  std::shared_ptr<TouchView> view() const {
    return std::dynamic_pointer_cast<TouchView>(controller()->view());
  }

  std::shared_ptr<Journal> journal = std::make_shared<Journal>();
  std::shared_ptr<headless::HeadlessBackend> backend;
};

TEST_F(EventDispatcherTest, InputGoesToTheKeyWindow) {
  launch();
  send(ui::TouchEvent{0, ui::TouchPhase::Began, {30, 40}, 0});
  send(ui::TouchEvent{0, ui::TouchPhase::Ended, {31, 41}, 0.1});
  EXPECT_EQ(view()->entries, (std::vector<std::string>{"began 30,40", "ended 31,41"}));
  send(ui::KeyEvent{ui::Key::Character, "q", 0, false});
  EXPECT_EQ(controller()->keys, (std::vector<std::string>{"q"}));
}

TEST_F(EventDispatcherTest, LifecycleEventsReachTheApplicationInTheirOrder) {
  launch();
  send(sdl::FocusLost{});
  send(sdl::FocusGained{});
  send(sdl::WindowMinimized{});
  send(sdl::WindowRestored{});
  send(sdl::QuitRequested{});
  // Going out of sight resigns first; coming back becomes active again.
  EXPECT_EQ(journal->entries, (std::vector<std::string>{"resign", "active", "resign", "background",
                                                        "foreground", "active", "terminate"}));
}

TEST_F(EventDispatcherTest, ACloseRequestIsTheDelegatesToDeclineButASignalQuitsRegardless) {
  launch();
  auto delegate = std::static_pointer_cast<RecordingDelegate>(app()->delegate());
  delegate->allowsClose = false;
  send(sdl::CloseRequested{});
  delegate->allowsClose = true;
  send(sdl::CloseRequested{});
  delegate->allowsClose = false;
  send(sdl::QuitRequested{});
  EXPECT_EQ(journal->entries,
            (std::vector<std::string>{"asked", "asked", "terminate", "terminate"}));
}

TEST_F(EventDispatcherTest, AResizeReshapesTheWindowAndAnExposeRepaintsAllOfIt) {
  launch();
  auto window = app()->keyWindow();
  window->render();
  auto peer = backend->window();
  ASSERT_TRUE(peer);
  auto presents = peer->presentCount();

  peer->resize({600, 450});
  send(sdl::WindowResized{});
  EXPECT_EQ(window->bounds().size, (foundation::Size{600, 450}));

  window->render();
  EXPECT_EQ(peer->presentCount(), presents + 1);
  window->render();
  EXPECT_EQ(peer->presentCount(), presents + 1) << "nothing changed, nothing presented";

  send(sdl::WindowExposed{});
  window->render();
  ASSERT_EQ(peer->presentCount(), presents + 2);
  ASSERT_EQ(peer->lastPresented().size(), 1u);
  const auto& all = peer->lastPresented().front();
  EXPECT_EQ(all.width, 600);
  EXPECT_EQ(all.height, 450);
}

TEST_F(EventDispatcherTest, WithoutAWindowInputIsDroppedAndQuitStillEndsTheApplication) {
  backend = std::make_shared<headless::HeadlessBackend>();
  backend->failCreateWindow("no window today");
  auto error = app()->launch(foundation::create<RecordingDelegate>(journal), backend,
                             {"Tamarock", {400, 500}});
  ASSERT_EQ(error, "no window today");
  ASSERT_FALSE(app()->keyWindow());
  journal->entries.clear();
  send(ui::TouchEvent{0, ui::TouchPhase::Began, {1, 1}, 0});
  send(ui::PointerEvent{{1, 1}, true});
  send(ui::KeyEvent{ui::Key::Escape, "", 0, false});
  send(sdl::WindowExposed{});
  send(sdl::WindowResized{});
  send(sdl::QuitRequested{});
  EXPECT_EQ(journal->entries, (std::vector<std::string>{"terminate"}));
}

}  // namespace
