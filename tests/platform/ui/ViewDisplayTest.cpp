#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/BezierPath.h"
#include "platform/graphics/Color.h"
#include "platform/ui/View.h"

using foundation::Rect;
using graphics::Color;

namespace {

// Fills its whole bounds in `colour`, recording what it was asked to redraw.
class Swatch : public ui::View {
 public:
  explicit Swatch(Rect frame) : View(frame) { setDrawsContent(true); }
  Color colour = Color::fromRGB(1, 0, 0);
  std::vector<Rect> drawn;
  void draw(Rect rect) override {
    drawn.push_back(rect);
    colour.setFill();
    graphics::BezierPath::withRect(bounds()).fill();
  }
};

constexpr std::uint32_t kRed = 0xffff0000u;
constexpr std::uint32_t kBlue = 0xff0000ffu;

TEST(ViewDisplayTest, APartRedrawsOnlyThatPartInPlace) {
  auto view = foundation::create<Swatch>(Rect{0, 0, 100, 80});
  auto* first = view->contentImage(2).get();
  ASSERT_TRUE(first);
  view->colour = Color::fromRGB(0, 0, 1);
  view->setNeedsDisplayInRect({10.2, 20, 30, 10});
  auto image = view->contentImage(2);
  EXPECT_EQ(image.get(), first) << "redrawn in place";
  ASSERT_EQ(view->drawn.size(), 2u);
  EXPECT_EQ(view->drawn.back(), (Rect{10, 20, 30.5, 10})) << "widened to whole pixels at scale 2";
  EXPECT_EQ(image->pixel(21, 41), kBlue);
  EXPECT_EQ(image->pixel(19, 41), kRed) << "outside the part nothing is drawn";
  EXPECT_EQ(image->pixel(21, 39), kRed);
  EXPECT_EQ(image->pixel(81, 59), kRed);

  view->contentImage(2);
  EXPECT_EQ(view->drawn.size(), 2u) << "nothing is left to redraw";
}

TEST(ViewDisplayTest, PartsAddUpAndAWholeRedrawTakesOver) {
  auto view = foundation::create<Swatch>(Rect{0, 0, 100, 80});
  view->contentImage(1);
  view->colour = Color::fromRGB(0, 0, 1);
  view->setNeedsDisplayInRect({0, 0, 10, 10});
  view->setNeedsDisplayInRect({50, 50, 10, 10});
  auto parts = view->contentImage(1);
  EXPECT_EQ(view->drawn.back(), (Rect{0, 0, 60, 60}));
  EXPECT_EQ(parts->pixel(5, 5), kBlue);
  EXPECT_EQ(parts->pixel(55, 55), kBlue);
  EXPECT_EQ(parts->pixel(30, 30), kRed) << "parts apart are redrawn apart, not their bounding box";
  EXPECT_EQ(parts->pixel(5, 55), kRed);
  parts.reset();
  view->setNeedsDisplayInRect({0, 0, 10, 10});
  view->setNeedsDisplay();
  view->contentImage(1);
  EXPECT_EQ(view->drawn.back(), view->bounds());
  view->setNeedsDisplayInRect({200, 200, 10, 10});
  view->contentImage(1);
  EXPECT_EQ(view->drawn.size(), 3u) << "a part outside the bounds is nothing";
}

TEST(ViewDisplayTest, AStoreSomeoneStillHoldsIsNeverDrawnInto) {
  auto view = foundation::create<Swatch>(Rect{0, 0, 100, 80});
  auto held = view->contentImage(1);
  view->colour = Color::fromRGB(0, 0, 1);
  view->setNeedsDisplayInRect({0, 0, 10, 10});
  auto fresh = view->contentImage(1);
  EXPECT_NE(fresh, held);
  EXPECT_EQ(held->pixel(5, 5), kRed) << "the held image is unchanged";
  EXPECT_EQ(fresh->pixel(50, 50), kBlue) << "drawn anew in full";
  EXPECT_EQ(view->drawn.back(), view->bounds());
}

}  // namespace
