#include <gtest/gtest.h>

#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewAnimation.h"

using foundation::RunLoop;
using ui::View;
using ui::ViewAnimation;

namespace {

class ViewAnimationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::resetMainWithVirtualClock();
    view = foundation::create<View>(foundation::Rect{0, 0, 64, 64});
  }
  std::shared_ptr<View> view;
};

TEST(EaseInOutCurve, MatchesTheCubicBezierOfThePlatform) {
  EXPECT_DOUBLE_EQ(ViewAnimation::easeInOut(0), 0);
  EXPECT_DOUBLE_EQ(ViewAnimation::easeInOut(1), 1);
  EXPECT_NEAR(ViewAnimation::easeInOut(0.5), 0.5, 1e-9) << "the curve is symmetric";
  // Reference values of cubic-bezier(0.42, 0, 0.58, 1).
  EXPECT_NEAR(ViewAnimation::easeInOut(0.25), 0.129162, 1e-5);
  EXPECT_NEAR(ViewAnimation::easeInOut(0.75), 0.870838, 1e-5);
  double previous = 0;
  for (int i = 1; i <= 100; ++i) {
    double y = ViewAnimation::easeInOut(i / 100.0);
    EXPECT_GE(y, previous);
    previous = y;
  }
}

TEST_F(ViewAnimationTest, TheModelChangesAtOnceWhileThePresentedValueMoves) {
  ViewAnimation::animate(0.2, [&] { view->setAlpha(0); });
  EXPECT_EQ(view->alpha(), 0);
  EXPECT_EQ(view->presentedAlpha(), 1);
  RunLoop::main().advance(0.1);
  EXPECT_NEAR(view->presentedAlpha(), 0.5, 0.1);
  EXPECT_TRUE(view->isAnimating());
  RunLoop::main().advance(0.2);
  EXPECT_EQ(view->presentedAlpha(), 0);
  EXPECT_FALSE(view->isAnimating());
}

TEST_F(ViewAnimationTest, TheCompletionRunsOnceAfterTheEndNeverWithinTheCall) {
  std::vector<bool> results;
  ViewAnimation::animate(
      0.06, [&] { view->setAlpha(0); }, [&](bool finished) { results.push_back(finished); });
  EXPECT_TRUE(results.empty());
  RunLoop::main().advance(0.05);
  EXPECT_TRUE(results.empty());
  RunLoop::main().advance(0.1);
  EXPECT_EQ(results, std::vector<bool>{true});
  RunLoop::main().advance(1.0);
  EXPECT_EQ(results.size(), 1u);
}

TEST_F(ViewAnimationTest, ZeroDurationOrNothingAnimatedStillCompletesOnALaterPass) {
  std::vector<bool> results;
  ViewAnimation::animate(
      0,
      [&] {
        view->setCenter({100, 100});
      },
      [&](bool f) { results.push_back(f); });
  EXPECT_EQ(view->presentedFrame().center(), (foundation::Point{100, 100}));
  ViewAnimation::animate(
      0.3, [] {}, [&](bool f) { results.push_back(f); });
  EXPECT_TRUE(results.empty());
  RunLoop::main().drain();
  EXPECT_EQ(results, (std::vector<bool>{true, true}));
}

TEST_F(ViewAnimationTest, ANewerAnimationOfTheSamePropertyAddsToTheOlder) {
  std::vector<bool> results;
  ViewAnimation::animate(
      0.2,
      [&] {
        view->setCenter({132, 32});
      },
      [&](bool f) { results.push_back(f); });
  RunLoop::main().advance(0.1);
  double midway = view->presentedFrame().center().x;
  ViewAnimation::animate(
      0.2,
      [&] {
        view->setCenter({132, 132});
      },
      [&](bool f) { results.push_back(f); });
  EXPECT_NEAR(view->presentedFrame().center().x, midway, 1e-9) << "no jump when the second starts";
  RunLoop::main().advance(0.5);
  EXPECT_EQ(view->presentedFrame().center(), (foundation::Point{132, 132}));
  EXPECT_EQ(results, (std::vector<bool>{true, true})) << "the older one still finishes";
}

TEST_F(ViewAnimationTest, AnimationsRemovedFirstReportThatTheyDidNotFinish) {
  auto parent = foundation::create<View>(foundation::Rect{0, 0, 200, 200});
  std::vector<bool> results;
  ViewAnimation::animate(
      0.2, [&] { view->setAlpha(0); }, [&](bool f) { results.push_back(f); });
  RunLoop::main().advance(0.05);
  view->removeAllAnimations();
  RunLoop::main().drain();
  EXPECT_EQ(results, std::vector<bool>{false});
  EXPECT_EQ(view->presentedAlpha(), 0) << "what is shown snaps to the model";
}

TEST_F(ViewAnimationTest, AnAnimatingViewIgnoresTouches) {
  EXPECT_EQ(view->hitTest({10, 10}), view);
  ViewAnimation::animate(0.06, [&] { view->setAlpha(0.5); });
  EXPECT_EQ(view->hitTest({10, 10}), nullptr);
  RunLoop::main().advance(0.1);
  EXPECT_EQ(view->hitTest({10, 10}), view);
}

}  // namespace
