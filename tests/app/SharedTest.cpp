#include <gtest/gtest.h>

#include "app/AppHarness.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/ScriptedRandom.h"
#include "platform/graphics/GraphicsContext.h"
#include "shared/App.h"
#include "shared/DotView.h"
#include "shared/Helper.h"
#include "stage/ActionViewController.h"

namespace {

using SharedTest = AppHarness;

TEST_F(SharedTest, RandomDotCentresStayThirtyTwoPointsInsideTheSafeArea) {
  launch({800, 600});
  for (int i = 0; i < 500; ++i) {
    auto c = Helper::randomDotCenter(32);
    ASSERT_GE(c.x, 32);
    ASSERT_LE(c.x, 768);
    ASSERT_GE(c.y, 32);
    ASSERT_LE(c.y, 568);
  }
  App::safeAreaInsets = {24, 0, 20, 0};
  {
    ScriptedRandom script({0.0, 0.0, 1.0, 1.0});
    EXPECT_EQ(Helper::randomDotCenter(32), (foundation::Point{32, 56}));
    EXPECT_EQ(Helper::randomDotCenter(32), (foundation::Point{768, 548}));
  }
  {
    // y0 = 40 lies above the safe margin, so it is raised to 32 + 24.
    ScriptedRandom script({0.5, (40.0 - 32) / (600 - 64)});
    EXPECT_EQ(Helper::randomDotCenter(32).y, 56);
  }
}

TEST_F(SharedTest, AWindowSmallerThanADotCentresItWithoutDrawing) {
  launch({40, 30});
  ScriptedRandom script({0.5}, ScriptedRandom::Exhausted::Fail);
  auto c = Helper::randomDotCenter(32);
  EXPECT_EQ(c, (foundation::Point{32, 32})) << "the clamp to the margin still applies";
  EXPECT_EQ(script.remaining(), 1u) << "no draw from an interval that does not exist";
}

TEST_F(SharedTest, WindowMetricsFallBackToTheScreenWithoutAWindow) {
  backend = std::make_shared<headless::HeadlessBackend>();
  EXPECT_EQ(App::windowWidth(), 0) << "no backend, no screen yet";
  launch({640, 480});
  EXPECT_EQ(App::windowWidth(), 640);
  EXPECT_EQ(App::windowHeight(), 480);
}

struct Screen : ActionViewController {
  Screen() : ActionViewController("StandardActionViewController") {}
};

TEST(RandomizeColors, SaturationAndBrightnessAreRaisedAndCappedAsDesigned) {
  foundation::RunLoop::resetMainWithVirtualClock();
  auto screen = foundation::create<Screen>();
  struct Case {
    double s, b, saturation, brightness;
  };
  for (auto c :
       {Case{0, 0, 0.4, 0.3}, Case{0.39, 0.29, 0.79, 0.59}, Case{0.4, 0.3, 0.4, 0.3},
        Case{0.94, 1.0, 0.94, 1.0}, Case{0.95, 0.5, 0.89, 0.5}, Case{1.0, 0.31, 0.94, 0.31}}) {
    ScriptedRandom script({c.s, c.b});
    screen->randomizeColors();
    EXPECT_NEAR(screen->randomSaturation, c.saturation, 1e-12) << c.s;
    EXPECT_NEAR(screen->randomBrightness, c.brightness, 1e-12) << c.b;
  }
}

TEST(DotView, DrawsItsOvalFixedAtCreationInItsColour) {
  foundation::RunLoop::resetMainWithVirtualClock();
  auto dot = foundation::create<DotView>(foundation::Rect{10, 20, 80, 40});
  EXPECT_EQ(dot->dotColor, App::baseColor());
  EXPECT_EQ(dot->collisionBoundsType(), ui::CollisionBoundsType::Ellipse);
  auto image = dot->contentImage(1.0);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixel(40, 20), graphics::Color::systemGray().premultipliedARGB());
  EXPECT_EQ(image->pixel(2, 20), graphics::Color::systemGray().premultipliedARGB())
      << "an 80 by 40 ellipse reaches the sides";
  EXPECT_EQ(image->pixel(40, 1) >> 24, 0xffu);
  EXPECT_EQ(image->pixel(1, 1), 0u) << "corners stay clear";
  dot->setFrame({0, 0, 200, 200});
  EXPECT_EQ(dot->dotBezierPath().bounds(), (foundation::Rect{0, 0, 80, 40}))
      << "resizing does not change the path";
}

}  // namespace
