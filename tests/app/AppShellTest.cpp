#include <gtest/gtest.h>

#include "app/AppHarness.h"
#include "choices/ChoicesViewController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"
#include "platform/ui/NavigationController.h"
#include "settings/Defaults.h"
#include "shared/App.h"

namespace {

class AppShellTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(0);
  }
};

TEST_F(AppShellTest, FirstLaunchReadsTheRegisteredDefaults) {
  std::filesystem::remove(settingsFile());
  foundation::UserDefaults::resetStandard(settingsFile());
  launch();
  // Launch installed Touch, so only the untouched settings still show their defaults.
  EXPECT_FALSE(Defaults::randomColors());
  EXPECT_EQ(Defaults::skipUpdateBuild(), 0);
}

TEST_F(AppShellTest, TheFileMenuStartsWithTheChooseCommandAndThereIsNoFormatMenu) {
  launch();
  auto menu = ui::Application::shared()->mainMenu();
  EXPECT_EQ(menu->find(ui::MenuIdentifier::Format, menu), nullptr);
  auto file = menu->find(ui::MenuIdentifier::File, menu);
  ASSERT_TRUE(file);
  ASSERT_FALSE(file->children().empty());
  auto inlineMenu = std::get<std::shared_ptr<ui::Menu>>(file->children().front());
  EXPECT_EQ(inlineMenu->identifier(), "MyMenu");
  EXPECT_EQ(inlineMenu->options(), ui::Menu::DisplayInline);
  auto command = std::get<std::shared_ptr<ui::KeyCommand>>(inlineMenu->children().front());
  EXPECT_EQ(command->action, "showChoices:");
  EXPECT_EQ(command->input, "l");
  EXPECT_EQ(command->modifierFlags, ui::Modifier::Command);
}

TEST_F(AppShellTest, CommandLOpensTheChoicesFromAnywhere) {
  launch();
  key(ui::Key::Character, "l");
  EXPECT_FALSE(presented()) << "a plain l is no command";
  key(ui::Key::Character, "l", ui::Modifier::Command | ui::Modifier::Control);
  EXPECT_TRUE(std::dynamic_pointer_cast<ui::NavigationController>(presented()));
  auto first = presented();
  advance(0.5);
  key(ui::Key::Character, "l", ui::Modifier::Command);
  EXPECT_EQ(presented(), first) << "asking again while it is open changes nothing";
}

TEST_F(AppShellTest, AResizeRebuildsTheActionOnALaterTurnForTheNewSize) {
  launch({800, 600});
  auto before = master()->currentActionViewController;
  backend->resizeWindow({500, 700});
  EXPECT_EQ(master()->currentActionViewController, before) << "not inside the platform's callback";
  advance(0);
  EXPECT_NE(master()->currentActionViewController, before);
  EXPECT_EQ(App::windowWidth(), 500);
  EXPECT_EQ(App::windowHeight(), 700);
  auto actionView = master()->currentActionViewController->view();
  window()->layoutIfNeeded();
  EXPECT_EQ(actionView->frame(), (foundation::Rect{0, 0, 500, 700}));
}

TEST_F(AppShellTest, AResizeWithAStoredNumberOutOfRangeRebuildsNothing) {
  Defaults::setCurrentAction(9);
  launch();
  backend->resizeWindow({500, 700});
  advance(0.5);
  EXPECT_FALSE(master()->currentActionViewController);
}

TEST_F(AppShellTest, AStillWindowAsksForNoFramesSoTheLoopCanSleep) {
  launch();
  advance(1.0);
  auto frames = window()->framesPresented();
  EXPECT_GT(frames, 0u);
  EXPECT_FALSE(foundation::RunLoop::main().hasPendingWork());
  advance(10.0);
  EXPECT_EQ(window()->framesPresented(), frames);
  tap(master()->view()->convertToWindow({1, 1}));  // a touch on the background moves nothing
  advance(1.0);
  EXPECT_FALSE(foundation::RunLoop::main().hasPendingWork());
}

struct LifecycleScreen : ActionViewController {
  LifecycleScreen() : ActionViewController("StandardActionViewController") {}
  void didEnterBackground() override { ++background; }
  void didBecomeActive() override { ++active; }
  int background = 0;
  int active = 0;
};

TEST_F(AppShellTest, BackgroundAndActivationReachTheCurrentAction) {
  MasterViewController::actionMaker = [](std::int64_t) {
    return foundation::create<LifecycleScreen>();
  };
  launch();
  auto screen = std::dynamic_pointer_cast<LifecycleScreen>(master()->currentActionViewController);
  ASSERT_TRUE(screen);
  EXPECT_EQ(screen->active, 1) << "launch ends active";
  auto app = ui::Application::shared();
  app->setVisible(false);
  EXPECT_EQ(screen->background, 1);
  app->setVisible(true);
  EXPECT_EQ(screen->active, 2);
}

}  // namespace
