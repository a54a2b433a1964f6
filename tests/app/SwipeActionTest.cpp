#include <gtest/gtest.h>

#include <cmath>

#include "actions/swipe/SwipeActionViewController.h"
#include "app/AppHarness.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/ScriptedRandom.h"
#include "settings/Defaults.h"
#include "shared/App.h"

using foundation::Point;
using ui::TouchPhase;

namespace {

class SwipeActionTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(2);
  }
  std::shared_ptr<SwipeActionViewController> screen() {
    return currentAction<SwipeActionViewController>();
  }
  std::shared_ptr<SwipeDotView> dot() { return screen()->swipeDotView(); }
  Point velocity() { return screen()->itemBehavior->linearVelocityForItem(*dot()); }

  // A drag from the dot's centre by (15, 20) every 0.05 s: 300 by 400 pt/s.
  void fling(int steps) {
    Point p = dot()->center();
    touch(TouchPhase::Began, p);
    for (int i = 0; i < steps; ++i) {
      advance(0.05);
      p = p + Point{15, 20};
      touch(TouchPhase::Moved, p);
    }
    touch(TouchPhase::Ended, p);
  }
  void expectInsideWindow() {
    auto frame = dot()->frame();
    EXPECT_GE(frame.minX(), -0.5);
    EXPECT_GE(frame.minY(), -0.5);
    EXPECT_LE(frame.maxX(), 800.5);
    EXPECT_LE(frame.maxY(), 600.5);
  }
};

TEST_F(SwipeActionTest, TheLoadPushGivesTheDotItsVelocityAndIsBrakedAfterSixTenths) {
  launch({800, 600});
  {
    // Every draw 0.5: the dot in the middle, pushed at 180 degrees.
    ScriptedRandom random({0.5}, ScriptedRandom::Exhausted::RepeatLast);
    master()->installAction(2);
  }
  EXPECT_EQ(dot()->center(), (Point{400, 300}));
  EXPECT_DOUBLE_EQ(screen()->pushBehavior->angle(), M_PI);
  EXPECT_DOUBLE_EQ(screen()->pushBehavior->magnitude(), 0.36);
  advance(1.0 / 60);
  // 100 × 0.36 / (64 × 64 / 10000) pt/s, then two substeps of resistance 0.4.
  EXPECT_NEAR(velocity().x, -87.890625 / std::pow(1 + 0.4 / 120, 2), 0.01);
  EXPECT_NEAR(velocity().y, 0, 1e-6);
  EXPECT_FALSE(screen()->pushBehavior->active()) << "an instantaneous push spends itself";

  advance(0.55);
  EXPECT_DOUBLE_EQ(screen()->itemBehavior->resistance(), 0.4);
  EXPECT_LT(dot()->center().x, 360);
  advance(0.05);
  EXPECT_DOUBLE_EQ(screen()->itemBehavior->resistance(), 6.0);
  advance(3);
  EXPECT_FALSE(screen()->dynamicAnimator->isRunning()) << "the braked dot came to rest";
}

TEST_F(SwipeActionTest, ReleaseVelocityBecomesThePushAndTheDotGlidesOnInsideTheWindow) {
  launch({800, 600});
  advance(1);
  dot()->setCenter({200, 150});
  fling(4);
  EXPECT_EQ(screen()->dynamicAnimator->behaviors().size(), 3u) << "attached again on release";
  EXPECT_NEAR(screen()->pushBehavior->angle(), 0.9272952180016122, 1e-12);
  EXPECT_NEAR(screen()->pushBehavior->magnitude(), 2.5, 1e-12);
  EXPECT_TRUE(screen()->pushBehavior->active());
  EXPECT_DOUBLE_EQ(screen()->itemBehavior->resistance(), 0.4);
  EXPECT_DOUBLE_EQ(screen()->itemBehavior->elasticity(), 0.76);
  EXPECT_EQ(dot()->dotColor, dot()->restingColor);

  Point released = dot()->center();
  EXPECT_EQ(released, (Point{260, 230})) << "the ended state does not move it";
  advance(0.1);
  Point moved = dot()->center() - released;
  EXPECT_GT(moved.x, 30);
  EXPECT_NEAR(moved.y / moved.x, 4.0 / 3, 0.05);
  for (int frame = 0; frame < 300; ++frame) {
    advance(1.0 / 60);
    expectInsideWindow();
  }
  EXPECT_TRUE(screen()->dynamicAnimator->isRunning()) << "still gliding after five seconds";
}

TEST_F(SwipeActionTest, DraggingHighlightsDetachesAndKeepsTheDotWithinTheDragBounds) {
  App::safeAreaInsets = {24, 0, 20, 0};
  launch({800, 600});
  App::safeAreaInsets = {24, 0, 20, 0};
  master()->installAction(2);
  advance(1);
  dot()->setCenter({100, 500});
  touch(TouchPhase::Began, {100, 500});
  EXPECT_EQ(dot()->dotColor, App::highlightColor());
  advance(0.05);
  touch(TouchPhase::Moved, {-90, 690});  // begins the pan
  advance(0.05);
  touch(TouchPhase::Moved, {-100, 700});
  EXPECT_TRUE(screen()->dynamicAnimator->behaviors().empty());
  EXPECT_EQ(dot()->dotColor, App::highlightColor()) << "the control's cancel does not undo it";
  EXPECT_EQ(dot()->center(), (Point{32, 548}));
  advance(0.05);
  touch(TouchPhase::Moved, {400, -100});
  EXPECT_EQ(dot()->center(), (Point{400, 56}));
  window()->cancelAllTouches();
  EXPECT_TRUE(screen()->dynamicAnimator->behaviors().empty()) << "a cancelled pan stays detached";
  advance(1);
  EXPECT_EQ(dot()->center(), (Point{400, 56}));
}

TEST_F(SwipeActionTest, ATapBrakesAMovingDotAndAReleaseAtRestLeavesItThere) {
  launch({800, 600});
  advance(1);
  dot()->setCenter({200, 150});
  fling(4);
  advance(0.2);
  tap(dot()->center());
  EXPECT_DOUBLE_EQ(screen()->itemBehavior->resistance(), 6.0);
  EXPECT_FALSE(screen()->pushBehavior->active());
  advance(3);
  EXPECT_FALSE(screen()->dynamicAnimator->isRunning());

  Point p = dot()->center();
  touch(TouchPhase::Began, p);
  advance(0.05);
  touch(TouchPhase::Moved, p + Point{30, 0});
  advance(0.5);
  touch(TouchPhase::Moved, p + Point{30, 0});
  advance(0.2);
  touch(TouchPhase::Ended, p + Point{30, 0});
  EXPECT_DOUBLE_EQ(screen()->pushBehavior->magnitude(), 0);
  EXPECT_DOUBLE_EQ(screen()->pushBehavior->angle(), 0);
  advance(1);
  EXPECT_EQ(dot()->center(), (p + Point{30, 0}));
}

TEST_F(SwipeActionTest, ANarrowWindowFliesWithTheCompactValues) {
  launch({500, 600});
  EXPECT_DOUBLE_EQ(screen()->itemBehavior->elasticity(), 0.58);
  EXPECT_DOUBLE_EQ(screen()->itemBehavior->resistance(), 0.34);
  EXPECT_DOUBLE_EQ(screen()->itemBehavior->angularResistance(), 1.0);
}

TEST_F(SwipeActionTest, InAWindowSmallerThanTheDotItStillComesToRest) {
  // Below the minimum size, reachable without a window manager.
  launch({2, 2});
  advance(10.0);
  EXPECT_FALSE(screen()->dynamicAnimator->isRunning());
  EXPECT_FALSE(foundation::RunLoop::main().hasPendingWork()) << "the loop can sleep";
  EXPECT_EQ(dot()->center(), (Point{1, 1}));
}

}  // namespace
