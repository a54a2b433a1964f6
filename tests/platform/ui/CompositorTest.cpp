#include <gtest/gtest.h>

#include "platform/graphics/Color.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/View.h"

using foundation::Rect;
using graphics::Color;

namespace {

constexpr std::uint32_t kRed = 0xffff0000u;
constexpr std::uint32_t kBlue = 0xff0000ffu;
constexpr std::uint32_t kBlack = 0xff000000u;

TEST(CompositorSnapshotTest, PaintsTheViewFromItsOwnCornerWithBackgroundAndSubviews) {
  auto parent = foundation::create<ui::View>(Rect{0, 0, 200, 200});
  parent->setBackgroundColor(Color::white());
  auto view = foundation::create<ui::View>(Rect{50, 40, 40, 30});
  view->setBackgroundColor(Color::fromRGB(1, 0, 0));
  auto child = foundation::create<ui::View>(Rect{10, 10, 10, 10});
  child->setBackgroundColor(Color::fromRGB(0, 0, 1));
  parent->addSubview(view);
  view->addSubview(child);

  auto image = ui::Compositor::snapshot(*view, 2);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixelWidth(), 80);
  EXPECT_EQ(image->pixelHeight(), 60);
  EXPECT_EQ(image->scale(), 2);
  EXPECT_EQ(image->pixel(0, 0), kRed) << "the view's own corner, not its parent's";
  EXPECT_EQ(image->pixel(79, 59), kRed);
  EXPECT_EQ(image->pixel(25, 25), kBlue);
  EXPECT_EQ(image->pixel(41, 41), kRed);
}

TEST(CompositorSnapshotTest, APartStartsAtThePartsCorner) {
  auto parent = foundation::create<ui::View>(Rect{0, 0, 200, 200});
  auto view = foundation::create<ui::View>(Rect{50, 40, 40, 30});
  view->setBackgroundColor(Color::fromRGB(1, 0, 0));
  auto child = foundation::create<ui::View>(Rect{10, 10, 10, 10});
  child->setBackgroundColor(Color::fromRGB(0, 0, 1));
  parent->addSubview(view);
  view->addSubview(child);

  auto image = ui::Compositor::snapshot(*view, 2, Rect{15, 5, 20, 10});
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixelWidth(), 40);
  EXPECT_EQ(image->pixelHeight(), 20);
  EXPECT_EQ(image->pixel(0, 0), kRed);
  EXPECT_EQ(image->pixel(0, 10), kBlue) << "the child at (10, 10) covers (15, 10)";
  EXPECT_EQ(image->pixel(9, 19), kBlue);
  EXPECT_EQ(image->pixel(10, 10), kRed);
}

TEST(CompositorSnapshotTest, IsOpaqueWhereNothingCoversTheView) {
  auto view = foundation::create<ui::View>(Rect{0, 0, 20, 20});
  auto child = foundation::create<ui::View>(Rect{0, 0, 5, 5});
  child->setBackgroundColor(Color::fromRGB(1, 0, 0, 0.0));
  view->addSubview(child);
  auto image = ui::Compositor::snapshot(*view, 1);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixel(2, 2), kBlack);
  EXPECT_EQ(image->pixel(15, 15), kBlack);
}

TEST(CompositorSnapshotTest, AnEmptyViewHasNoSnapshot) {
  auto view = foundation::create<ui::View>(Rect{10, 10, 0, 20});
  EXPECT_FALSE(ui::Compositor::snapshot(*view, 1));
  auto sized = foundation::create<ui::View>(Rect{0, 0, 10, 10});
  EXPECT_FALSE(ui::Compositor::snapshot(*sized, 0));
}

}  // namespace
