#include <gtest/gtest.h>

#include <future>
#include <string>

#include "actions/gravity/GravityActionViewController.h"
#include "app/AppHarness.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/ScriptedRandom.h"
#include "platform/motion/ScriptedMotionSource.h"
#include "platform/ui/Application.h"
#include "settings/Defaults.h"
#include "shared/App.h"

namespace {

constexpr double kTolerance = 1e-9;

int count(const std::string& text, const std::string& line) {
  int n = 0;
  for (auto at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
  return n;
}

class GravityActionTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(1);
    motion::MotionManager::setSourceOverride(source);
  }
  std::shared_ptr<GravityActionViewController> screen() {
    return currentAction<GravityActionViewController>();
  }
  // Lets the sensor's samples through the screen's queue, then runs what they
  // posted to the main loop.
  void deliver(const motion::Attitude& attitude) {
    source->emit({attitude, ++time});
    auto queue = screen()->motionManager().deviceMotionQueue();
    ASSERT_TRUE(queue);
    std::promise<void> done;
    queue->async([&done] { done.set_value(); });
    done.get_future().wait();
    advance(0);
  }
  foundation::Point gravity() { return screen()->gravityBehavior->gravityDirection(); }

  std::shared_ptr<motion::ScriptedMotionSource> source =
      std::make_shared<motion::ScriptedMotionSource>();
  double time = 0;
};

TEST_F(GravityActionTest, LoadingBuildsThreeDotsInTheDynamicsAndStartsTheSensor) {
  launch({800, 600});
  auto s = screen();
  ASSERT_TRUE(s);
  std::vector<std::shared_ptr<DotView>> dots{s->firstDotView(), s->secondDotView(),
                                             s->thirdDotView()};
  const auto& subviews = s->view()->subviews();
  ASSERT_EQ(subviews.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(subviews[i], dots[i]) << "the third is drawn on top";
    EXPECT_EQ(dots[i]->frame().size, (foundation::Size{64, 64}));
    EXPECT_EQ(dots[i]->representedObject.lock(), s);
    EXPECT_EQ(dots[i]->dotColor, App::baseColor());
  }
  ASSERT_TRUE(s->dynamicAnimator);
  const auto& behaviors = s->dynamicAnimator->behaviors();
  ASSERT_EQ(behaviors.size(), 3u);
  EXPECT_EQ(behaviors[0], s->collisionBehavior);
  EXPECT_EQ(behaviors[1], s->gravityBehavior);
  EXPECT_EQ(behaviors[2], s->itemBehavior);
  EXPECT_EQ(s->collisionBehavior->collisionMode(), dynamics::CollisionBehavior::Everything);
  EXPECT_TRUE(s->collisionBehavior->translatesReferenceBoundsIntoBoundary());
  EXPECT_FALSE(s->itemBehavior->allowsRotation());
  EXPECT_DOUBLE_EQ(s->itemBehavior->elasticity(), 0.76);
  EXPECT_DOUBLE_EQ(s->itemBehavior->friction(), 0.06);
  EXPECT_EQ(gravity(), (foundation::Point{0, 0.8}));
  EXPECT_TRUE(s->motionManager().isDeviceMotionActive());
  EXPECT_DOUBLE_EQ(source->interval(), 0.12);
}

TEST_F(GravityActionTest, GravityFollowsTheTiltRelativeToTheFirstSample) {
  launch();
  auto reference = motion::Attitude::fromRollPitchYaw(0.4, -0.2, 1.3);
  deliver(reference);
  ASSERT_TRUE(screen()->referenceAttitude());
  EXPECT_NEAR(gravity().x, 0, kTolerance);
  EXPECT_NEAR(gravity().y, 0, kTolerance);

  auto turn = motion::Attitude::fromRollPitchYaw(0.2, -0.4, 0);
  deliver(motion::Attitude(reference.quaternion() * turn.quaternion()));
  EXPECT_NEAR(gravity().x, 0.3, kTolerance);
  EXPECT_NEAR(gravity().y, -0.6, kTolerance);

  // Back as at the first sample: no pull at all.
  deliver(reference);
  EXPECT_NEAR(gravity().x, 0, kTolerance);
  EXPECT_NEAR(gravity().y, 0, kTolerance);
}

TEST_F(GravityActionTest, BackgroundStopsTheUpdatesAndActivationRestartsThemOnANewQueue) {
  launch();
  auto reference = motion::Attitude::fromRollPitchYaw(0.1, 0.1, 0);
  deliver(reference);
  auto firstQueue = screen()->motionManager().deviceMotionQueue();
  auto app = ui::Application::shared();
  app->setVisible(false);
  EXPECT_FALSE(source->isRunning());
  EXPECT_FALSE(screen()->motionManager().isDeviceMotionActive());
  source->emit({motion::Attitude::fromRollPitchYaw(1, 1, 0), 99});  // nobody listens
  advance(0);
  EXPECT_NEAR(gravity().x, 0, kTolerance);

  int starts = source->startCount();
  app->setVisible(true);
  EXPECT_EQ(source->startCount(), starts + 1);
  EXPECT_TRUE(screen()->motionManager().isDeviceMotionActive());
  EXPECT_NE(screen()->motionManager().deviceMotionQueue(), firstQueue);
  // The reference stays that of the very first sample.
  auto turn = motion::Attitude::fromRollPitchYaw(0.5, 0, 0);
  deliver(motion::Attitude(reference.quaternion() * turn.quaternion()));
  EXPECT_NEAR(gravity().x, 0.75, kTolerance);
  EXPECT_NEAR(gravity().y, 0, kTolerance);
}

TEST_F(GravityActionTest, ReplacingTheScreenStopsItsUpdates) {
  launch();
  EXPECT_TRUE(source->isRunning());
  master()->installAction(0);
  EXPECT_FALSE(source->isRunning());
}

TEST_F(GravityActionTest, AnUnpluggedSensorLeavesTheLastGravityAndNoCrash) {
  launch();
  auto reference = motion::Attitude::fromRollPitchYaw(0, 0, 0);
  deliver(reference);
  deliver(motion::Attitude::fromRollPitchYaw(0.2, 0, 0));
  source->disappear();
  advance(1.0);
  EXPECT_NEAR(gravity().x, 0.3, kTolerance);
  EXPECT_FALSE(screen()->motionManager().isDeviceMotionActive());
  ::testing::internal::CaptureStdout();
  ui::Application::shared()->setVisible(false);
  ui::Application::shared()->setVisible(true);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "No motion detector\n");
}

TEST_F(GravityActionTest, WithoutASensorTheConsoleSaysSoAtLoadAndAtEachActivation) {
  motion::MotionManager::setSourceOverride(nullptr);
  ::testing::internal::CaptureStdout();
  launch();
  auto atLaunch = ::testing::internal::GetCapturedStdout();
  // Once for the load, once for the activation that ends the launch.
  EXPECT_EQ(count(atLaunch, "No motion detector\n"), 2) << atLaunch;
  EXPECT_FALSE(screen()->motionManager().isDeviceMotionActive());

  auto app = ui::Application::shared();
  ::testing::internal::CaptureStdout();
  app->setVisible(false);
  auto inBackground = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(inBackground, "");
  ::testing::internal::CaptureStdout();
  app->setVisible(true);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "No motion detector\n");
  EXPECT_EQ(gravity(), (foundation::Point{0, 0.8}));
}

TEST_F(GravityActionTest, WithoutASensorTheDotsComeToRestOnTheFloor) {
  motion::MotionManager::setSourceOverride(nullptr);
  ::testing::internal::CaptureStdout();
  launch({800, 600});
  ::testing::internal::GetCapturedStdout();
  auto s = screen();
  double floor = 600 - App::safeAreaInsets.bottom;
  double before = s->firstDotView()->center().y + s->secondDotView()->center().y +
                  s->thirdDotView()->center().y;
  advance(0.2);
  EXPECT_TRUE(s->dynamicAnimator->isRunning());
  EXPECT_GT(s->firstDotView()->center().y + s->secondDotView()->center().y +
                s->thirdDotView()->center().y,
            before + 1)
      << "they fall";
  advance(15.0);
  EXPECT_FALSE(s->dynamicAnimator->isRunning()) << "every dot rests, the animator sleeps";
  for (const auto& dot : {s->firstDotView(), s->secondDotView(), s->thirdDotView()}) {
    auto f = dot->frame();
    EXPECT_GE(f.minX(), -0.5);
    EXPECT_LE(f.maxX(), 800.5);
    EXPECT_LE(f.maxY(), floor + 0.5);
    // Resting on the floor, or on another dot lying there.
    EXPECT_GT(f.maxY(), floor - 2 * 64 - 1) << "dot at " << f.minX() << "," << f.minY();
  }
  int onFloor = 0;
  for (const auto& dot : {s->firstDotView(), s->secondDotView(), s->thirdDotView()}) {
    if (std::abs(dot->frame().maxY() - floor) < 1.5) ++onFloor;
  }
  EXPECT_GE(onFloor, 2);
}

TEST_F(GravityActionTest, EnlargingTheWindowDuringAFallGivesTheNewDotsTheNewWindow) {
  motion::MotionManager::setSourceOverride(nullptr);
  ::testing::internal::CaptureStdout();
  launch({400, 500});
  advance(0.3);
  ASSERT_TRUE(screen()->dynamicAnimator->isRunning()) << "falling";
  {
    // Colours, then three centres, all far right of the old window's edge.
    ScriptedRandom random({0.5, 0.5, 0.5, 0.5, 0.95, 0.1, 0.6, 0.2, 0.8, 0.3});
    backend->resizeWindow({1280, 800});
    advance(0);
  }
  ::testing::internal::GetCapturedStdout();
  auto s = screen();
  const double x[] = {32 + 0.95 * 1216, 32 + 0.6 * 1216, 32 + 0.8 * 1216};
  const double y[] = {32 + 0.1 * 736, 32 + 0.2 * 736, 32 + 0.3 * 736};
  std::shared_ptr<DotView> dots[] = {s->firstDotView(), s->secondDotView(), s->thirdDotView()};
  advance(0.5);
  for (int i = 0; i < 3; ++i) {
    // Straight down from where each was built, still in the air.
    EXPECT_NEAR(dots[i]->center().x, x[i], 0.5) << "dot " << i;
    EXPECT_GT(dots[i]->center().y, y[i] + 50) << "dot " << i;
    EXPECT_LT(dots[i]->frame().maxY(), 800) << "dot " << i;
  }
}

TEST_F(GravityActionTest, InAWindowSmallerThanADotTheDotsStillComeToRest) {
  // Below the minimum size, reachable without a window manager.
  motion::MotionManager::setSourceOverride(nullptr);
  ::testing::internal::CaptureStdout();
  launch({60, 60});
  ::testing::internal::GetCapturedStdout();
  advance(10.0);
  EXPECT_FALSE(screen()->dynamicAnimator->isRunning());
  EXPECT_FALSE(foundation::RunLoop::main().hasPendingWork()) << "the loop can sleep";
  for (const auto& dot :
       {screen()->firstDotView(), screen()->secondDotView(), screen()->thirdDotView()}) {
    EXPECT_NEAR(dot->center().x, 30, 0.5);
    EXPECT_NEAR(dot->center().y, 30, 0.5);
  }
}

TEST_F(GravityActionTest, RandomColoursGiveEachDotItsOwnHue) {
  Defaults::setRandomColors(true);
  launch();
  auto s = screen();
  EXPECT_NE(s->firstDotView()->dotColor, App::baseColor());
  EXPECT_NE(s->firstDotView()->dotColor, s->secondDotView()->dotColor);
  EXPECT_NE(s->secondDotView()->dotColor, s->thirdDotView()->dotColor);
}

}  // namespace
