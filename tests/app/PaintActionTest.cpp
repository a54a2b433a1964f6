#include <gtest/gtest.h>

#include <cmath>

#include "actions/paint/PaintActionViewController.h"
#include "actions/paint/PaintBackgroundView.h"
#include "app/AppHarness.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/ScriptedRandom.h"
#include "platform/ui/Compositor.h"
#include "settings/Defaults.h"
#include "shared/App.h"

using foundation::Point;
using foundation::Rect;
using ui::TouchPhase;

namespace {

const std::uint32_t kGrey = argb(142, 142, 147);
const std::uint32_t kWhite = argb(255, 255, 255);

class PaintActionTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(5);
  }
  std::shared_ptr<PaintActionViewController> screen() {
    return currentAction<PaintActionViewController>();
  }
  std::shared_ptr<PaintBackgroundView> paint() {
    return std::dynamic_pointer_cast<PaintBackgroundView>(screen()->view());
  }
  // Shows `shape` in a 1024 x 768 window: its box is (336, 208, 352, 352).
  void launchWith(PaintShape shape) {
    launch({1024, 768});
    paint()->prepareShape(shape);
    screen()->updateColors();
  }
  void drag(Point p) { touch(TouchPhase::Moved, p); }
  // Thirteen distinct blobs in a row inside the square, from (380, 300).
  void paintThirteen() {
    touch(TouchPhase::Began, {380, 300});
    for (int k = 1; k < 13; ++k) drag({380.0 + 20 * k, 300});
  }
};

TEST_F(PaintActionTest, ShapesSitCentredWithTheWorkedValues) {
  {
    ScriptedRandom random({1.0}, ScriptedRandom::Exhausted::RepeatLast);  // a triangle
    launch({1024, 768});
  }
  auto view = paint();
  EXPECT_EQ(view->bezierRect, (Rect{336, 236, 352, 296})) << "the first shape is drawn at random";
  view->prepareShape(PaintShape::Square);
  EXPECT_EQ(view->bezierRect, (Rect{336, 208, 352, 352}));
  EXPECT_EQ(view->currentBezierPath().lineWidth(), 4);
  // Its backing store covers the box and the outline's stroke, not the window.
  auto store = view->contentImage(1);
  ASSERT_TRUE(store);
  EXPECT_EQ(store->pixelWidth(), 360);
  EXPECT_EQ(store->pixelHeight(), 360);
  EXPECT_EQ(view->contentFrame(1), (Rect{332, 204, 360, 360}));
  view->prepareShape(PaintShape::Circle);
  EXPECT_EQ(view->bezierRect, (Rect{336, 208, 352, 352}));
  EXPECT_TRUE(view->currentBezierPath().contains({512, 210}));
  EXPECT_FALSE(view->currentBezierPath().contains({340, 212})) << "a circle, not a square";

  view->prepareShape(PaintShape::Triangle);
  EXPECT_EQ(view->bezierRect, (Rect{336, 236, 352, 296}));
  const auto& path = view->currentBezierPath();
  EXPECT_EQ(path.lineWidth(), 4);
  EXPECT_EQ(path.lineJoin(), graphics::BezierPath::LineJoin::Round);
  // Vertices (336, 532), (688, 532), (512, 236).
  EXPECT_TRUE(path.contains({337, 531.5}));
  EXPECT_TRUE(path.contains({687, 531.5}));
  EXPECT_FALSE(path.contains({512, 532.5}));
  EXPECT_TRUE(path.contains({512, 237}));
  EXPECT_FALSE(path.contains({512, 235}));
  EXPECT_FALSE(path.contains({340, 300})) << "the sides slope in to the apex";
}

TEST_F(PaintActionTest, ThirteenBlobsAreDiscsAndTheFourteenthFlattensThem) {
  launchWith(PaintShape::Square);
  auto view = paint();
  paintThirteen();
  ASSERT_EQ(view->points.size(), 13u);
  EXPECT_EQ(view->points.front(), (Point{348, 268}));
  EXPECT_FALSE(view->cachedImage);
  EXPECT_EQ(pixelAt({352, 300}), kGrey);
  EXPECT_EQ(pixelAt({500, 450}), kWhite);

  drag({500, 450});
  ASSERT_EQ(view->points.size(), 1u);
  EXPECT_EQ(view->points.front(), (Point{468, 418}));
  ASSERT_TRUE(view->cachedImage);
  EXPECT_EQ(view->cachedImage->pixelWidth(), 352);
  EXPECT_EQ(view->cachedImage->pixelHeight(), 352);
  // The image starts at the box's corner: (352, 300) is (16, 92) in it.
  EXPECT_EQ(view->cachedImage->pixel(16, 92), kGrey);
  // Only paint: what lay under it is drawn live, to follow the colour scheme.
  EXPECT_EQ(view->cachedImage->pixel(164, 242), 0u) << "the 14th blob is not flattened";
  EXPECT_EQ(view->cachedImage->pixel(0, 176), 0u) << "nor the outline";
  EXPECT_EQ(pixelAt({352, 300}), kGrey) << "older paint still shows";
  EXPECT_EQ(pixelAt({500, 450}), kGrey);
}

TEST_F(PaintActionTest, ABlobRecompositesOnlyItsOwnSquareOfTheWindow) {
  launchWith(PaintShape::Square);
  window()->render();
  touch(TouchPhase::Began, {500.2, 400.3});
  auto painted = window()->render();
  ASSERT_FALSE(painted.empty());
  Rect all = painted.front();
  for (const auto& r : painted) all = all.unionWith(r);
  EXPECT_EQ(all, (Rect{467, 367, 66, 66}));
  EXPECT_EQ(pixelAt({500, 400}), kGrey);
  EXPECT_EQ(pixelAt({466, 400}), kWhite);
}

TEST_F(PaintActionTest, TouchesOnTheSameCornerLayOneBlobUntilAFlattening) {
  launchWith(PaintShape::Square);
  auto view = paint();
  touch(TouchPhase::Began, {500.2, 400.3});
  drag({499.6, 399.8});
  touch(TouchPhase::Ended, {500.4, 400.1});
  ASSERT_EQ(view->points.size(), 1u);
  EXPECT_EQ(view->points.front(), (Point{468, 368}));

  paintThirteen();  // the 14th distinct corner flattens, the 13 stay in the image
  touch(TouchPhase::Ended, {400, 300});
  drag({500, 400});
  touch(TouchPhase::Began, {500, 400});
  EXPECT_EQ(view->points.back(), (Point{468, 368}));
}

TEST_F(PaintActionTest, PaintNeverShowsOutsideTheOutline) {
  launchWith(PaintShape::Circle);
  auto view = paint();
  // Every pixel around the circle, beyond the outline's own width, is background.
  auto expectCleanOutside = [&](const char* when) {
    auto shot = ui::Compositor::snapshot(*window(), 1);
    ASSERT_TRUE(shot);
    int dirty = 0;
    for (int y = 150; y < 620; ++y) {
      for (int x = 280; x < 744; ++x) {
        double dx = x + 0.5 - 512, dy = y + 0.5 - 384;
        if (dx * dx + dy * dy < 179 * 179) continue;
        if (shot->pixel(x, y) != kWhite) ++dirty;
      }
    }
    EXPECT_EQ(dirty, 0) << when;
  };
  // Blobs hugging the edge: each disc reaches 26 points past it.
  auto edge = [](int k) {
    double a = (k - 10) * 0.1;
    return Point{512 + 170 * std::cos(a), 384 + 170 * std::sin(a)};
  };
  touch(TouchPhase::Began, edge(0));
  for (int k = 1; k < 10; ++k) drag(edge(k));
  ASSERT_EQ(view->points.size(), 10u);
  EXPECT_EQ(pixelAt(edge(5)), kGrey);
  expectCleanOutside("discs");
  for (int k = 10; k < 21; ++k) drag(edge(k));
  ASSERT_TRUE(view->cachedImage);
  expectCleanOutside("discs and flattened paint");

  std::size_t before = view->points.size();
  drag({900, 384});  // outside the shape: no paint
  EXPECT_EQ(view->points.size(), before);
}

TEST_F(PaintActionTest, EveryTouchPostponesTheWipeWhichComesTwoToThreeSecondsLater) {
  launchWith(PaintShape::Square);
  auto view = paint();
  view->handleTouches({});
  EXPECT_FALSE(view->resetTimer) << "an empty set changes nothing";

  paintThirteen();
  touch(TouchPhase::Ended, {620, 300});
  touch(TouchPhase::Began, {500, 400});  // the fourteenth: the wipe has flattened paint to clear
  ASSERT_TRUE(view->cachedImage);
  auto timer = view->resetTimer;
  ASSERT_TRUE(timer);
  EXPECT_EQ(timer->tolerance(), 1.0);
  advance(1.5);
  touch(TouchPhase::Moved, {100, 100});  // outside the shape still counts
  EXPECT_EQ(view->resetTimer, timer) << "the same timer, moved";
  EXPECT_DOUBLE_EQ(timer->fireDate(), foundation::RunLoop::main().now() + 2.0);
  advance(1.5);
  touch(TouchPhase::Ended, {100, 100});
  advance(1.99);
  EXPECT_EQ(view->points.size(), 1u) << "not before 2 s";
  EXPECT_EQ(view->bezierRect, (Rect{336, 208, 352, 352}));

  ScriptedRandom random({1.0}, ScriptedRandom::Exhausted::RepeatLast);  // a triangle
  advance(1.01);
  EXPECT_TRUE(view->points.empty()) << "by 3 s the picture is wiped";
  EXPECT_FALSE(view->cachedImage);
  EXPECT_FALSE(view->resetTimer);
  EXPECT_EQ(view->bezierRect, (Rect{336, 236, 352, 296}));
  EXPECT_EQ(pixelAt({500, 400}), kWhite);
  EXPECT_EQ(pixelAt({352, 300}), kWhite) << "the flattened paint is wiped too";
}

TEST_F(PaintActionTest, AWipeWithRandomColoursPicksANewHueAtTheSameSaturationAndBrightness) {
  Defaults::setRandomColors(true);
  launchWith(PaintShape::Square);
  auto s = screen();
  double saturation = s->randomSaturation, brightness = s->randomBrightness;
  ASSERT_TRUE(paint()->paintColor);
  auto before = *paint()->paintColor;
  touch(TouchPhase::Began, {500, 400});
  {
    ScriptedRandom random({0.0, 0.5});  // a square, then hue 0.5
    advance(3.0);
  }
  ASSERT_TRUE(paint()->paintColor);
  double h = 0, sat = 0, bri = 0;
  paint()->paintColor->getHSB(h, sat, bri);
  EXPECT_NE(*paint()->paintColor, before);
  EXPECT_NEAR(h, 0.5, 1e-6);
  EXPECT_NEAR(sat, saturation, 1e-6);
  EXPECT_NEAR(bri, brightness, 1e-6);
  EXPECT_EQ(s->randomSaturation, saturation);
}

TEST_F(PaintActionTest, FlattenedPaintKeepsItsColourWhenTheSwitchChanges) {
  Defaults::setRandomColors(true);
  launchWith(PaintShape::Square);
  paintThirteen();
  drag({500, 450});
  ASSERT_TRUE(paint()->cachedImage);
  std::uint32_t old = pixelAt({352, 300});
  ASSERT_NE(old, kGrey);
  ASSERT_NE(old, kWhite);

  Defaults::setRandomColors(false);
  screen()->updateColors();
  EXPECT_EQ(paint()->paintColor, App::baseColor());
  EXPECT_EQ(pixelAt({352, 300}), old) << "flattened paint keeps its colour";
  EXPECT_EQ(pixelAt({500, 450}), kGrey) << "the blob not yet flattened takes the new one";
}

TEST_F(PaintActionTest, ATimerOutlivingItsScreenOnlyClearsItself) {
  launchWith(PaintShape::Square);
  auto view = paint();
  touch(TouchPhase::Began, {500, 400});
  ASSERT_TRUE(view->resetTimer);
  master()->installAction(0);
  ASSERT_TRUE(view->representedObject.expired());
  advance(3.0);
  EXPECT_FALSE(view->resetTimer);
  EXPECT_EQ(view->points.size(), 1u) << "no screen, so no new shape";
  EXPECT_EQ(view->bezierRect, (Rect{336, 208, 352, 352}));
}

TEST_F(PaintActionTest, FlatteningAtScaleTwoKeepsEveryPixel) {
  launch({1024, 768});
  backend->setScreenScale(2);
  backend->setWindowScale(2);
  paint()->prepareShape(PaintShape::Square);
  screen()->updateColors();
  paintThirteen();
  drag({500, 450});
  auto image = paint()->cachedImage;
  ASSERT_TRUE(image);
  EXPECT_EQ(image->scale(), 2);
  EXPECT_EQ(image->pixelWidth(), 704);
  EXPECT_EQ(image->pixel(32, 184), kGrey);
  EXPECT_EQ(pixelAt({352, 300}), kGrey);
}

// The box's corner falls between device pixels at these scales. The flattened
// paint must come back on the very pixels it was taken from: a shift of a
// fraction of a pixel blurs it, and every later flattening shifts it again.
TEST_F(PaintActionTest, FlatteningAtFractionalScalesMovesNoPixel) {
  launch({1026, 770});
  for (double scale : {1.25, 1.5}) {
    SCOPED_TRACE(scale);
    backend->setScreenScale(scale);
    backend->setWindowScale(scale);
    advance(0.1);
    auto view = paint();
    view->prepareShape(PaintShape::Square);
    screen()->updateColors();
    ASSERT_EQ(view->bezierRect.origin, (Point{337, 209}));
    // A long stroke from corner to corner, flattened twice on the way.
    touch(TouchPhase::Began, {345, 217});
    for (int k = 1; k < 27; ++k) drag({345.0 + 13 * k, 217.0 + 5 * k});
    ASSERT_TRUE(view->cachedImage);
    auto before = ui::Compositor::snapshot(*window(), scale);

    // Paint kept to a corner of the box flattens it again and again, each time
    // after a full redraw, as every layout pass asks for.
    const Rect corner{598, 478, 82, 68};
    const int flattenings = 300;
    for (int n = 0; n < flattenings; ++n) {
      for (int k = 0; k < 13; ++k) drag({632.0 + (n * 13 + k) % 14, 512});
      view->setNeedsDisplay();
    }
    touch(TouchPhase::Ended, {632, 512});
    auto after = ui::Compositor::snapshot(*window(), scale);
    ASSERT_TRUE(before && after);
    int moved = 0;
    for (int y = 0; y < after->pixelHeight(); ++y) {
      for (int x = 0; x < after->pixelWidth(); ++x) {
        if (corner.contains({(x + 0.5) / scale, (y + 0.5) / scale})) continue;
        if (after->pixel(x, y) != before->pixel(x, y)) ++moved;
      }
    }
    EXPECT_EQ(moved, 0) << "pixels changed outside the corner painted over";
  }
}

}  // namespace
