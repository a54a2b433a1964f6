#include "platform/graphics/BezierPath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/graphics/GraphicsContext.h"
#include "platform/graphics/Image.h"

using foundation::Point;
using foundation::Rect;
using graphics::BezierPath;
using graphics::Color;
using graphics::GraphicsContext;

namespace {

const Color kInk = Color::fromRGB255(52, 199, 89);

std::shared_ptr<graphics::Image> fillInImage(const BezierPath& path, foundation::Size size,
                                             double scale = 1) {
  return GraphicsContext::renderImage(size, scale, false, [&] {
    kInk.setFill();
    path.fill();
  });
}

bool inked(const graphics::Image& image, int x, int y) {
  return (image.pixel(x, y) >> 24) >= 128;
}

// Counts the mostly covered pixels along a row or a column.
int inkedRun(const graphics::Image& image, int fixed, bool alongRow) {
  int count = 0, n = alongRow ? image.pixelWidth() : image.pixelHeight();
  for (int i = 0; i < n; ++i) count += inked(image, alongRow ? i : fixed, alongRow ? fixed : i);
  return count;
}

BezierPath polygon(std::initializer_list<Point> points) {
  BezierPath path;
  bool first = true;
  for (Point p : points) {
    first ? path.moveTo(p) : path.lineTo(p);
    first = false;
  }
  path.close();
  return path;
}

}  // namespace

TEST(BezierPath, OvalFillsItsRectangleAndLeavesTheCornersClearAtEveryScale) {
  for (int scale : {1, 2}) {
    auto image = fillInImage(BezierPath::withOvalInRect({0, 0, 64, 64}), {64, 64}, scale);
    ASSERT_TRUE(image);
    int side = 64 * scale;
    ASSERT_EQ(image->pixelWidth(), side);
    ASSERT_EQ(image->pixelHeight(), side);
    EXPECT_EQ(image->pixel(side / 2, side / 2), kInk.premultipliedARGB());
    EXPECT_EQ(image->pixel(1, 1), 0u);
    EXPECT_EQ(image->pixel(side - 2, side - 2), 0u);
    EXPECT_EQ(inkedRun(*image, side / 2, true), side);
    EXPECT_EQ(inkedRun(*image, side / 2, false), side);
  }
}

TEST(BezierPath, NonSquareOvalIsAnEllipseOfThatSize) {
  auto image = fillInImage(BezierPath::withOvalInRect({10, 10, 80, 40}), {100, 60});
  ASSERT_TRUE(image);
  EXPECT_EQ(inkedRun(*image, 30, true), 80);
  EXPECT_EQ(inkedRun(*image, 50, false), 40);
  EXPECT_TRUE(inked(*image, 10, 30));
  EXPECT_FALSE(inked(*image, 9, 30));
  EXPECT_FALSE(inked(*image, 15, 12));  // outside the curve, inside the box
}

TEST(BezierPath, ShapesHaveTheirBoundsAndEmptyRectanglesGiveEmptyPaths) {
  EXPECT_EQ(BezierPath::withOvalInRect({3, 4, 80, 40}).bounds(), Rect(3, 4, 80, 40));
  EXPECT_EQ(BezierPath::withRect({5, 6, -2, 3}).bounds(), Rect(3, 6, 2, 3));
  EXPECT_TRUE(BezierPath::withOvalInRect({10, 10, 0, 20}).isEmpty());
  EXPECT_TRUE(BezierPath::withRect({0, 0, 0, 0}).isEmpty());
  EXPECT_FALSE(BezierPath::withRect({0, 0, 0, 5}).isEmpty());
  EXPECT_EQ(BezierPath().bounds(), Rect());
  BezierPath curve;
  curve.moveTo({0, 0});
  curve.curveTo({10, 0}, {2, -8}, {8, 12});
  EXPECT_EQ(curve.bounds(), Rect(0, -8, 10, 20));
}

TEST(BezierPath, ContainsUsesTheNonZeroWindingRule) {
  // A pentagram crosses itself: its centre is wound twice and is inside.
  BezierPath star;
  for (int i = 0; i < 5; ++i) {
    double a = -std::numbers::pi / 2 + i * 4 * std::numbers::pi / 5;
    Point p{50 + 40 * std::cos(a), 50 + 40 * std::sin(a)};
    i == 0 ? star.moveTo(p) : star.lineTo(p);
  }
  star.close();
  EXPECT_TRUE(star.contains({50, 50}));
  EXPECT_TRUE(star.contains({50, 16}));  // a tip, wound once
  EXPECT_FALSE(star.contains({20, 20}));

  // A hole needs its sub-path wound the other way.
  BezierPath outer = BezierPath::withRect({0, 0, 100, 100});
  BezierPath hole = outer;
  hole.append(polygon({{25, 25}, {25, 75}, {75, 75}, {75, 25}}));
  EXPECT_FALSE(hole.contains({50, 50}));
  EXPECT_TRUE(hole.contains({10, 50}));
  BezierPath sameWay = outer;
  sameWay.append(BezierPath::withRect({25, 25, 50, 50}));
  EXPECT_TRUE(sameWay.contains({50, 50}));
  EXPECT_TRUE(outer.contains({50, 50}));  // appending copied, the original is untouched
  // Rectangles and ovals both run clockwise, so an oval inside a rectangle
  // adds to it rather than cutting it out.
  BezierPath withOval = outer;
  withOval.append(BezierPath::withOvalInRect({25, 25, 50, 50}));
  EXPECT_TRUE(withOval.contains({50, 50}));

  EXPECT_FALSE(BezierPath::withRect({0, 0, 0, 0}).contains({0, 0}));
  EXPECT_FALSE(BezierPath::withOvalInRect({0, 0, 64, 64}).contains({2, 2}));
}

TEST(BezierPath, AddClipKeepsLaterFillsInsideTheShape) {
  auto image = GraphicsContext::renderImage({40, 40}, 1, false, [] {
    kInk.setFill();
    BezierPath::withOvalInRect({0, 0, 40, 40}).addClip();
    BezierPath::withRect({0, 0, 40, 40}).fill();
  });
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixel(20, 20), kInk.premultipliedARGB());
  EXPECT_EQ(image->pixel(1, 1), 0u);
  EXPECT_EQ(image->pixel(38, 38), 0u);
}

TEST(BezierPath, StrokeFollowsWidthCapAndJoin) {
  auto draw = [](BezierPath::LineCap cap, BezierPath::LineJoin join) {
    return GraphicsContext::renderImage({80, 80}, 1, false, [=] {
      BezierPath line;
      line.moveTo({10, 70});
      line.lineTo({40, 70});
      line.setLineWidth(4);
      line.setLineCap(cap);
      line.stroke();
      BezierPath open;
      open.moveTo({20, 60});
      open.lineTo({20, 20});
      open.lineTo({60, 20});
      open.setLineWidth(20);
      open.setLineJoin(join);
      open.stroke();
    });
  };
  using Cap = BezierPath::LineCap;
  using Join = BezierPath::LineJoin;
  auto miter = draw(Cap::Butt, Join::Miter);
  auto round = draw(Cap::Square, Join::Round);
  auto bevel = draw(Cap::Round, Join::Bevel);
  ASSERT_TRUE(miter && round && bevel);

  EXPECT_TRUE(inked(*miter, 20, 68));
  EXPECT_TRUE(inked(*miter, 20, 71));
  EXPECT_FALSE(inked(*miter, 20, 67));
  EXPECT_FALSE(inked(*miter, 20, 72));
  EXPECT_FALSE(inked(*miter, 9, 70));  // butt ends where the line ends
  EXPECT_TRUE(inked(*round, 9, 70));   // square reaches half the width beyond

  EXPECT_TRUE(inked(*miter, 11, 11));  // the outer corner of a miter is square
  EXPECT_FALSE(inked(*round, 11, 11));
  EXPECT_TRUE(inked(*round, 13, 13));
  EXPECT_FALSE(inked(*bevel, 11, 11));
  EXPECT_FALSE(inked(*bevel, 13, 13));
}
