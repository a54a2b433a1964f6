#include <gtest/gtest.h>

#include <memory>

#include "app/AppDelegate.h"
#include "app/AppHarness.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/Application.h"
#include "platform/ui/Menu.h"
#include "platform/ui/NavigationController.h"
#include "shared/App.h"

namespace {

constexpr unsigned kCtrl = ui::Modifier::Command | ui::Modifier::Control;

// The child-proof full screen, as the application drives it through the
// headless window system: the window, its keyboard grab, the screen saver and
// a request to close, before, during and after.
class FullScreenTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(0);
  }

  std::shared_ptr<headless::HeadlessWindowPeer> peer() const { return backend->window(); }
  AppDelegate& delegate() const {
    return static_cast<AppDelegate&>(*ui::Application::shared()->delegate());
  }
  bool locked() const {
    return peer()->isFullScreen() && peer()->isKeyboardGrabbed() &&
           !backend->isScreenSaverEnabled() && !delegate().shouldTerminate();
  }
  bool unlocked() const {
    return !peer()->isFullScreen() && !peer()->isKeyboardGrabbed() &&
           backend->isScreenSaverEnabled() && delegate().shouldTerminate();
  }
  void openChoices() {
    key(ui::Key::Character, "l", kCtrl);
    advance(0.5);
    ASSERT_TRUE(std::dynamic_pointer_cast<ui::NavigationController>(presented()));
  }
};

TEST_F(FullScreenTest, TheViewMenuHoldsFullScreenOnF11) {
  launch();
  auto menu = ui::Application::shared()->mainMenu();
  auto view = menu->find(ui::MenuIdentifier::View, menu);
  ASSERT_TRUE(view);
  ASSERT_FALSE(view->children().empty());
  auto inlineMenu = std::get<std::shared_ptr<ui::Menu>>(view->children().front());
  EXPECT_EQ(inlineMenu->options(), ui::Menu::DisplayInline);
  auto command = std::get<std::shared_ptr<ui::KeyCommand>>(inlineMenu->children().front());
  EXPECT_EQ(command->title, "Full Screen");
  EXPECT_EQ(command->action, "toggleFullScreen:");
  EXPECT_EQ(command->key, ui::Key::F11);
  EXPECT_EQ(command->modifierFlags, 0u);
}

TEST_F(FullScreenTest, F11CoversTheScreenLocksItAndTheActionIsRebuiltForIt) {
  launch({800, 600});
  ASSERT_TRUE(unlocked()) << "a window as before: a close request quits";
  auto before = master()->currentActionViewController;
  key(ui::Key::F11);
  EXPECT_TRUE(locked());
  EXPECT_EQ(peer()->size(), backend->screenBounds().size);
  EXPECT_EQ(master()->currentActionViewController, before) << "the resize arrives later";
  advance(0);
  EXPECT_NE(master()->currentActionViewController, before);
  EXPECT_EQ(App::windowWidth(), backend->screenBounds().width());
  EXPECT_EQ(App::windowHeight(), backend->screenBounds().height());
}

TEST_F(FullScreenTest, OnlyTheOpenChoicesLetF11OutAndNoOtherKeyDoes) {
  launch({800, 600});
  key(ui::Key::F11);
  advance(0.5);
  auto action = master()->currentActionViewController;
  key(ui::Key::F11);
  key(ui::Key::Character, "q", kCtrl);
  key(ui::Key::Character, "w", kCtrl);
  key(ui::Key::Escape);
  key(ui::Key::Tab, "", ui::Modifier::Alternate);
  key(ui::Key::Character, "4", ui::Modifier::Alternate);
  advance(0.5);
  EXPECT_TRUE(locked());
  EXPECT_EQ(master()->currentActionViewController, action);

  // An update notice is no way out either.
  master()->presentUpdateAlert(99);
  advance(0.5);
  ASSERT_TRUE(std::dynamic_pointer_cast<ui::AlertController>(presented()));
  key(ui::Key::F11);
  EXPECT_TRUE(locked());
  key(ui::Key::Escape);
  advance(0.5);
  ASSERT_FALSE(presented());

  openChoices();
  key(ui::Key::F11);
  EXPECT_TRUE(unlocked());
  advance(0);
  EXPECT_EQ(peer()->size(), (foundation::Size{800, 600})) << "back to the window it was";
  EXPECT_EQ(App::windowWidth(), 800);

  // Outside full screen F11 enters again, choices open or not.
  key(ui::Key::F11);
  EXPECT_TRUE(locked());
}

TEST_F(FullScreenTest, TheScreenSaverStaysOffOnlyWhileTheProgramIsInFront) {
  launch();
  key(ui::Key::F11);
  ASSERT_FALSE(backend->isScreenSaverEnabled());
  ui::Application::shared()->setActive(false);
  EXPECT_TRUE(backend->isScreenSaverEnabled());
  EXPECT_TRUE(peer()->isKeyboardGrabbed()) << "the grab comes back with the focus";
  ui::Application::shared()->setVisible(false);
  ui::Application::shared()->setVisible(true);
  EXPECT_FALSE(backend->isScreenSaverEnabled());
}

TEST_F(FullScreenTest, WhenTheDesktopEndsFullScreenTheLockEndsWithIt) {
  launch({800, 600});
  key(ui::Key::F11);
  advance(0);
  peer()->setFullScreen(false);
  advance(0);
  EXPECT_TRUE(unlocked());
}

}  // namespace
