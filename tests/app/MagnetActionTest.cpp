#include <gtest/gtest.h>

#include "actions/magnet/MagnetActionViewController.h"
#include "app/AppHarness.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/ScriptedRandom.h"
#include "settings/Defaults.h"
#include "shared/App.h"

using foundation::Point;
using foundation::Rect;
using ui::TouchPhase;

namespace {

class MagnetActionTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(4);
  }
  std::shared_ptr<MagnetActionViewController> screen() {
    return currentAction<MagnetActionViewController>();
  }
  std::shared_ptr<MagnetDotView> dot() { return screen()->magnetDotView(); }
  // Installs Magnet with the dot's offset r drawn from [-100, 100].
  void installWithOffset(double r) {
    ScriptedRandom random({0.5, 0.5, 0.5, 0.5, (r + 100) / 200});
    master()->installAction(4);
  }
};

TEST_F(MagnetActionTest, TheMarkerSitsOnTheCentreAndTheDotStartsOnTheDiagonal) {
  launch({800, 600});
  installWithOffset(50);
  EXPECT_EQ(screen()->centerPoint, (Point{400, 300}));
  EXPECT_EQ(dot()->frame(), (Rect{318, 218, 64, 64}));
  auto& subviews = screen()->view()->subviews();
  ASSERT_EQ(subviews.size(), 2u);
  EXPECT_EQ(subviews[0]->frame(), (Rect{392, 292, 16, 16}));
  EXPECT_EQ(subviews[0]->backgroundColor(), App::baseColor());
  EXPECT_EQ(subviews[1], dot()) << "the dot passes over the marker";

  installWithOffset(-100);
  EXPECT_EQ(dot()->center(), (Point{500, 400}));
}

TEST_F(MagnetActionTest, TheDotSwingsOnItsSpringThenGlidesOntoTheCentreAndRests) {
  launch({800, 600});
  installWithOffset(50);
  double furthest = 0;
  for (int frame = 0; frame < 50; ++frame) {
    advance(1.0 / 60);
    furthest = std::max(furthest, dot()->center().x - 400);
  }
  EXPECT_GT(furthest, 25) << "overshot the centre: a lively spring";
  EXPECT_EQ(screen()->dynamicAnimator->behaviors().size(), 2u);
  advance(1.0 - 50.0 / 60 + 0.01);
  EXPECT_TRUE(screen()->dynamicAnimator->behaviors().empty()) << "let go after one second";
  advance(0.31);
  EXPECT_EQ(dot()->center(), (Point{400, 300}));
  EXPECT_EQ(dot()->presentedFrame().center(), (Point{400, 300}));
  advance(0.1);
  EXPECT_FALSE(screen()->dynamicAnimator->isRunning());
  EXPECT_FALSE(foundation::RunLoop::main().hasPendingWork()) << "the loop may sleep";
}

TEST_F(MagnetActionTest, EnlargingTheWindowWhileTheDotSwingsKeepsItsSwingOnTheDiagonal) {
  launch({400, 500});
  advance(0.3);
  {
    ScriptedRandom random({0.5, 0.5, 0.5, 0.5, 0});  // 100 points right and down of the centre
    backend->resizeWindow({1280, 800});
    advance(0);
  }
  ASSERT_EQ(screen()->centerPoint, (Point{640, 400}));
  double nearest = 1000;
  for (int frame = 0; frame < 40; ++frame) {
    advance(1.0 / 60);
    Point offset = dot()->center() - screen()->centerPoint;
    EXPECT_NEAR(offset.x, offset.y, 1) << "off its line at frame " << frame;
    nearest = std::min(nearest, offset.x);
  }
  EXPECT_LT(nearest, 0) << "swung through the centre";
}

TEST_F(MagnetActionTest, ADragReleasedAwayFromTheCentreSwingsBackOnTheSpring) {
  launch({800, 600});
  advance(2);
  Point p = dot()->center();
  touch(TouchPhase::Began, p);
  EXPECT_EQ(dot()->dotColor, App::highlightColor());
  advance(0.05);
  touch(TouchPhase::Moved, p + Point{100, 0});
  advance(0.05);
  touch(TouchPhase::Moved, p + Point{200, 0});
  EXPECT_EQ(dot()->center(), (Point{600, 300}));
  touch(TouchPhase::Ended, p + Point{200, 0});
  EXPECT_EQ(dot()->dotColor, dot()->restingColor);
  EXPECT_EQ(screen()->dynamicAnimator->behaviors().size(), 2u);
  double nearest = 1000;
  for (int frame = 0; frame < 30; ++frame) {
    advance(1.0 / 60);
    nearest = std::min(nearest, dot()->center().x);
  }
  EXPECT_LT(nearest, 300) << "swung through the centre";
}

TEST_F(MagnetActionTest, DraggingPastTheTopStopsAtTheSafeArea) {
  launch({800, 600});
  App::safeAreaInsets = {24, 0, 0, 0};
  advance(2);
  Point p = dot()->center();
  touch(TouchPhase::Began, p);
  advance(0.05);
  touch(TouchPhase::Moved, {p.x, -190});  // begins the pan
  advance(0.05);
  touch(TouchPhase::Moved, {p.x, -200});
  EXPECT_EQ(dot()->center().y, 56);
  touch(TouchPhase::Ended, {p.x, -200});
  EXPECT_EQ(dot()->center().y, 56);
}

TEST_F(MagnetActionTest, ATapAfterSettlingLeavesTheDotInPlaceWithoutSpring) {
  launch({800, 600});
  advance(2);
  tap({400, 300});
  EXPECT_EQ(dot()->center(), (Point{400, 300}));
  EXPECT_EQ(dot()->dotColor, dot()->restingColor);
  EXPECT_TRUE(screen()->dynamicAnimator->behaviors().empty());
}

}  // namespace
