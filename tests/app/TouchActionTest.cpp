#include <gtest/gtest.h>

#include "actions/touch/TouchActionViewController.h"
#include "app/AppHarness.h"
#include "settings/Defaults.h"
#include "shared/App.h"

namespace {

class TouchActionTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(0);
  }
  std::shared_ptr<TouchActionViewController> screen() {
    return currentAction<TouchActionViewController>();
  }
  std::shared_ptr<TouchDotView> dot() { return screen()->touchDotView(); }
};

TEST_F(TouchActionTest, TheDotLiesWhollyInsideTheWindow) {
  launch({800, 600});
  for (int i = 0; i < 200; ++i) {
    master()->installAction(0);
    auto frame = dot()->frame();
    EXPECT_EQ(frame.size, (foundation::Size{64, 64}));
    EXPECT_GE(frame.minX(), 0);
    EXPECT_LE(frame.minX(), 736);
    EXPECT_GE(frame.minY(), 0);
    EXPECT_LE(frame.minY(), 536);
  }
}

TEST_F(TouchActionTest, ATapHighlightsFadesAndShowsTheDotOpaqueAtANewPlace) {
  launch();
  auto d = dot();
  auto start = d->center();
  touch(ui::TouchPhase::Began, start);
  EXPECT_EQ(d->dotColor, App::highlightColor());
  touch(ui::TouchPhase::Ended, start);
  EXPECT_EQ(d->dotColor, App::baseColor()) << "recoloured in the same event";
  EXPECT_EQ(d->center(), start) << "it jumps only when the fade ends";
  advance(0.03);
  EXPECT_GT(d->presentedAlpha(), 0);
  EXPECT_LT(d->presentedAlpha(), 1);
  advance(0.05);
  EXPECT_NE(d->center(), start);
  EXPECT_EQ(d->alpha(), 1);
  EXPECT_EQ(d->presentedAlpha(), 1);
  EXPECT_EQ(d->frame().size, (foundation::Size{64, 64}));
}

TEST_F(TouchActionTest, ReleasingOffTheDotOrACancelOnlyRecolours) {
  launch();
  auto d = dot();
  auto start = d->center();
  touch(ui::TouchPhase::Began, start);
  touch(ui::TouchPhase::Moved, {start.x + 200, start.y});
  touch(ui::TouchPhase::Ended, {start.x + 200, start.y});
  advance(0.2);
  EXPECT_EQ(d->center(), start);
  EXPECT_EQ(d->dotColor, App::baseColor());

  touch(ui::TouchPhase::Began, start);
  touch(ui::TouchPhase::Cancelled, start);
  advance(0.2);
  EXPECT_EQ(d->center(), start);
  EXPECT_EQ(d->dotColor, App::baseColor());
  EXPECT_EQ(pixelAt(start), argb(142, 142, 147)) << "not left light grey";

  // The system cancels a held touch too: here the choices open over the dot.
  touch(ui::TouchPhase::Began, start);
  ASSERT_EQ(d->dotColor, App::highlightColor());
  master()->showChoices(nullptr);
  touch(ui::TouchPhase::Ended, start);
  advance(0.3);
  EXPECT_EQ(d->center(), start);
  EXPECT_EQ(d->dotColor, App::baseColor());
}

TEST_F(TouchActionTest, RandomColoursGiveEachRestANewHueAtTheScreensSaturationAndBrightness) {
  Defaults::setRandomColors(true);
  launch();
  auto s = screen();
  double hue1 = -1, hue2 = -1, sat = 0, bri = 0;
  tap(dot()->center());
  dot()->dotColor.getHSB(hue1, sat, bri);
  EXPECT_NEAR(sat, s->randomSaturation, 1e-6);
  EXPECT_NEAR(bri, s->randomBrightness, 1e-6);
  advance(0.2);
  tap(dot()->center());
  dot()->dotColor.getHSB(hue2, sat, bri);
  EXPECT_NE(hue1, hue2);
  EXPECT_NEAR(sat, s->randomSaturation, 1e-6);
}

TEST_F(TouchActionTest, ATapWhoseFadeEndsAfterTheScreenWasReplacedChangesNothing) {
  launch();
  std::weak_ptr<TouchDotView> oldDot = dot();
  tap(dot()->center());
  master()->installAction(0);
  auto newDot = dot();
  auto place = newDot->center();
  advance(0.2);
  EXPECT_TRUE(oldDot.expired());
  EXPECT_EQ(newDot->center(), place);
  EXPECT_EQ(newDot->alpha(), 1);
}

TEST_F(TouchActionTest, TheDotIsDrawnAsAGreyCircleWithClearCorners) {
  launch({800, 600});
  auto frame = dot()->frame();
  auto centre = dot()->center();
  EXPECT_EQ(pixelAt(centre), argb(142, 142, 147));
  EXPECT_EQ(pixelAt({frame.minX() + 1, frame.minY() + 1}), argb(255, 255, 255))
      << "the corners outside the circle show the background";
  EXPECT_EQ(pixelAt({frame.minX() + 2, centre.y}), argb(142, 142, 147));
  touch(ui::TouchPhase::Began, centre);
  EXPECT_EQ(pixelAt(centre), argb(174, 174, 178)) << "highlighted while held";
}

TEST_F(TouchActionTest, TheDotGetsAPointerInteractionOnALaterTurnAndTheHandCursor) {
  launch();
  auto d = dot();
  EXPECT_TRUE(d->interactions().empty());
  advance(0);
  ASSERT_EQ(d->interactions().size(), 1u);
  window()->sendPointer({d->center(), true});
  EXPECT_TRUE(d->isHovered());
  window()->sendPointer({{1, 1}, true});
  EXPECT_FALSE(d->isHovered());
}

TEST_F(TouchActionTest, ADotOfAScreenReleasedBeforeTheDeferredStepIsLeftAlone) {
  launch();
  std::weak_ptr<TouchDotView> first = dot();
  master()->installAction(0);
  advance(0);
  EXPECT_TRUE(first.expired());
  EXPECT_EQ(dot()->interactions().size(), 1u);
}

}  // namespace
