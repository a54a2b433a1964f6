#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "actions/paint/PaintActionViewController.h"
#include "actions/paint/PaintBackgroundView.h"
#include "actions/touch/TouchActionViewController.h"
#include "app/AppHarness.h"
#include "app/Launch.h"
#include "choices/ChoicesViewController.h"
#include "platform/graphics/Appearance.h"
#include "platform/graphics/Color.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/Application.h"
#include "platform/ui/NavigationController.h"
#include "shared/DotView.h"
#include "support/PortalStandIn.h"
#include "support/SessionBus.h"

namespace {

using graphics::Appearance;

class DarkModeTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(0);
  }
  void TearDown() override {
    stopFollowingDesktopColorScheme();
    AppHarness::TearDown();
    Appearance::setCurrent(Appearance::Style::Light);
  }
  std::shared_ptr<ChoicesViewController> choices() {
    auto nav = std::dynamic_pointer_cast<ui::NavigationController>(presented());
    return nav ? std::dynamic_pointer_cast<ChoicesViewController>(nav->topViewController())
               : nullptr;
  }
  static constexpr double kFrame = 1.0 / 60;
};

// What is on screen takes the other appearance's colours at the next frame,
// without the action being built again: the dot stays where the child left it.
TEST_F(DarkModeTest, AChangeRecoloursWhatIsOnScreenAtTheNextFrame) {
  Appearance::setCurrent(Appearance::Style::Dark);
  launch({1024, 768});
  foundation::Point corner{3, 3};
  EXPECT_EQ(pixelAt(corner), argb(0, 0, 0)) << "launched dark";
  auto action = master()->currentActionViewController;
  auto touch = currentAction<TouchActionViewController>();
  ASSERT_TRUE(touch);
  tap(touch->touchDotView()->center());
  advance(1);
  auto place = touch->touchDotView()->center();

  auto app = ui::Application::shared();
  app->setUserInterfaceStyle(Appearance::Style::Light);
  advance(kFrame);
  EXPECT_EQ(pixelAt(corner), argb(255, 255, 255));
  EXPECT_EQ(master()->currentActionViewController, action) << "the same action, not a new one";
  EXPECT_EQ(touch->touchDotView()->center(), place);

  master()->showChoices(nullptr);
  advance(0.3);
  auto c = choices();
  ASSERT_TRUE(c);
  auto sheet = presented()->view()->frame();
  foundation::Point bar{sheet.minX() + 20, sheet.minY() + 1};
  EXPECT_EQ(pixelAt(bar), argb(255, 255, 255));
  auto dimmedLight = pixelAt(corner);

  auto cell = c->tableView()->cellAt({0, 2});
  auto inCell = cell->convertToWindow({cell->bounds().width() - 4, cell->bounds().height() / 2});
  auto backdrop = c->tableView()->convertToWindow({4, cell->frame().center().y});
  EXPECT_EQ(pixelAt(inCell), argb(255, 255, 255));
  EXPECT_EQ(pixelAt(backdrop), argb(242, 242, 247));

  // Dark, the sheet is lifted a step above the dimmed screen, which stays at
  // the base level: the top of the sheet shows against the black behind it.
  app->setUserInterfaceStyle(Appearance::Style::Dark);
  advance(kFrame);
  EXPECT_EQ(pixelAt(bar), argb(28, 28, 30)) << "the sheet";
  EXPECT_NE(pixelAt(corner), dimmedLight) << "the dimmed action behind it";
  EXPECT_EQ(pixelAt(corner), argb(0, 0, 0)) << "the action behind, at the base level";
  EXPECT_EQ(c->footerLabel->textColor(), graphics::Color::fromRGB255(235, 235, 245, 0.6));
  EXPECT_EQ(pixelAt(inCell), argb(44, 44, 46)) << "the rows";
  EXPECT_EQ(pixelAt(backdrop), argb(28, 28, 30)) << "between and beside the rows";

  app->setUserInterfaceStyle(Appearance::Style::Light);
  advance(kFrame);
  EXPECT_EQ(pixelAt(bar), argb(255, 255, 255));
  EXPECT_EQ(pixelAt(inCell), argb(255, 255, 255));
  EXPECT_EQ(pixelAt(backdrop), argb(242, 242, 247));
  EXPECT_EQ(c->footerLabel->textColor(), graphics::Color::fromRGB255(60, 60, 67, 0.6));
}

// What opens over the action in the dark is lifted from its first frame, not
// only after a change of scheme: the choices sheet, and the update alert,
// which follows the scheme while it is open.
TEST_F(DarkModeTest, WhatOpensInTheDarkIsLiftedAboveTheScreenBehindIt) {
  Appearance::setCurrent(Appearance::Style::Dark);
  launch({1024, 768});
  const foundation::Point corner{3, 3};
  master()->showChoices(nullptr);
  advance(0.3);
  auto c = choices();
  ASSERT_TRUE(c);
  auto sheet = presented()->view()->frame();
  auto cell = c->tableView()->cellAt({0, 2});
  EXPECT_EQ(pixelAt({sheet.minX() + 20, sheet.minY() + 1}), argb(28, 28, 30)) << "the bar";
  EXPECT_EQ(pixelAt(cell->convertToWindow({cell->bounds().width() - 4, 4})), argb(44, 44, 46));
  EXPECT_EQ(pixelAt(c->tableView()->convertToWindow({4, cell->frame().center().y})),
            argb(28, 28, 30));
  EXPECT_EQ(pixelAt(corner), argb(0, 0, 0));
  presented()->dismissViewController(false);
  advance(0.3);
  ASSERT_FALSE(presented());

  master()->presentUpdateAlert(42);
  advance(0.3);
  auto alert = std::dynamic_pointer_cast<ui::AlertController>(presented());
  ASSERT_TRUE(alert);
  auto view = alert->alertView();
  auto card = view->cardFrame();
  auto inCard = view->convertToWindow({card.minX() + 6, card.minY() + card.height() / 3});
  EXPECT_EQ(pixelAt(inCard), argb(28, 28, 30)) << "the alert";
  EXPECT_EQ(pixelAt(corner), argb(0, 0, 0));
  auto app = ui::Application::shared();
  app->setUserInterfaceStyle(Appearance::Style::Light);
  advance(kFrame);
  EXPECT_EQ(pixelAt(inCard), argb(255, 255, 255));
  app->setUserInterfaceStyle(Appearance::Style::Dark);
  advance(kFrame);
  EXPECT_EQ(pixelAt(inCard), argb(28, 28, 30));
}

// A dot under a finger shows the held grey of the scheme now in force, not
// the one it was pressed in, and takes its resting colour when let go.
TEST_F(DarkModeTest, AHeldDotTakesTheHeldGreyOfTheNewScheme) {
  launch({1024, 768});
  auto app = ui::Application::shared();
  for (std::int64_t action : {0, 2, 3, 4}) {
    SCOPED_TRACE(action);
    master()->installAction(action);
    advance(0.5);
    std::shared_ptr<DotView> dot;
    for (const auto& v : master()->currentActionViewController->view()->subviews()) {
      if (auto d = std::dynamic_pointer_cast<DotView>(v); d && !d->isHidden()) dot = d;
    }
    ASSERT_TRUE(dot);
    auto resting = dot->dotColor;
    auto at = dot->convertToWindow({dot->bounds().width() / 2, dot->bounds().height() / 2});
    touch(ui::TouchPhase::Began, at);
    advance(kFrame);
    EXPECT_EQ(pixelAt(at), argb(174, 174, 178)) << "held, light";

    app->setUserInterfaceStyle(Appearance::Style::Dark);
    advance(kFrame);
    EXPECT_EQ(pixelAt(at), argb(99, 99, 102)) << "still held, now dark";
    touch(ui::TouchPhase::Ended, at);
    advance(kFrame);
    if (action != 0) {  // a Touch dot moves and may take a new colour
      EXPECT_EQ(dot->dotColor, resting) << "let go";
    }
    app->setUserInterfaceStyle(Appearance::Style::Light);
    advance(kFrame);
  }
}

// A picture in progress keeps every stroke, the flattened ones too, while the
// box it is painted in takes the new background.
TEST_F(DarkModeTest, APictureKeepsItsStrokesWhileTheBackgroundFollows) {
  storeReturningUser(5);
  launch({1024, 768});
  auto screen = currentAction<PaintActionViewController>();
  ASSERT_TRUE(screen);
  auto paint = std::dynamic_pointer_cast<PaintBackgroundView>(screen->view());
  paint->prepareShape(PaintShape::Square);  // its box is (336, 208, 352, 352)
  screen->updateColors();
  touch(ui::TouchPhase::Began, {380, 300});
  for (int k = 1; k < 13; ++k) touch(ui::TouchPhase::Moved, {380.0 + 20 * k, 300});
  touch(ui::TouchPhase::Moved, {500, 450});  // the fourteenth flattens the thirteen
  ASSERT_TRUE(paint->cachedImage);
  auto image = paint->cachedImage;
  const auto grey = argb(142, 142, 147);
  const foundation::Point flattened{352, 300}, disc{500, 450}, outline{336, 400}, box{660, 520};
  EXPECT_EQ(pixelAt(box), argb(255, 255, 255));

  auto app = ui::Application::shared();
  app->setUserInterfaceStyle(Appearance::Style::Dark);
  advance(kFrame);
  EXPECT_EQ(pixelAt(box), argb(0, 0, 0)) << "inside the box, unpainted";
  EXPECT_EQ(pixelAt({3, 3}), argb(0, 0, 0));
  EXPECT_EQ(pixelAt(flattened), grey);
  EXPECT_EQ(pixelAt(disc), grey);
  EXPECT_EQ(pixelAt(outline), grey);
  EXPECT_EQ(paint->cachedImage, image) << "the picture is not rebuilt";

  app->setUserInterfaceStyle(Appearance::Style::Light);
  advance(kFrame);
  EXPECT_EQ(pixelAt(box), argb(255, 255, 255));
  EXPECT_EQ(pixelAt(flattened), grey);
}

// The desktop's portal on a real session bus: the window opens dark, and when
// the desktop turns light the frame that follows the news shows it.
TEST_F(DarkModeTest, TheProgramFollowsTheDesktopThroughItsPortal) {
  SessionBus bus;
  ASSERT_FALSE(bus.address().empty()) << "dbus-daemon did not start";
  PortalStandIn portal(bus.address(), 1);
  ASSERT_TRUE(portal.ok());
  followDesktopColorScheme(bus.address());
  launch({1024, 768});
  foundation::Point corner{3, 3};
  EXPECT_EQ(pixelAt(corner), argb(0, 0, 0)) << "launched dark";

  auto app = ui::Application::shared();
  portal.setColorScheme(2);
  // The news crosses threads: turn the loop a frame at a time until it is in.
  for (int i = 0; i < 500 && app->userInterfaceStyle() == Appearance::Style::Dark; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    advance(kFrame);
  }
  ASSERT_EQ(app->userInterfaceStyle(), Appearance::Style::Light);
  EXPECT_EQ(pixelAt(corner), argb(255, 255, 255)) << "in the same frame";
}

// Without a session bus the program is light, and does not wait for one.
TEST_F(DarkModeTest, WithoutABusTheProgramIsLight) {
  Appearance::setCurrent(Appearance::Style::Light);
  followDesktopColorScheme("");
  launch({1024, 768});
  EXPECT_EQ(pixelAt({3, 3}), argb(255, 255, 255));
  followDesktopColorScheme("unix:path=/nonexistent/bus");
  advance(kFrame);
  EXPECT_EQ(ui::Application::shared()->userInterfaceStyle(), Appearance::Style::Light);
}

}  // namespace
