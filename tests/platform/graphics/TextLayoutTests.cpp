#include "platform/graphics/TextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "platform/graphics/GraphicsContext.h"
#include "platform/graphics/Image.h"

using graphics::Color;
using graphics::GraphicsContext;
using graphics::TextLayout;

namespace {

// Pixel box of everything drawn, as {minX, minY, maxX, maxY}; minX > maxX when blank.
std::array<int, 4> inkBox(const graphics::Image& image) {
  std::array<int, 4> box{image.pixelWidth(), image.pixelHeight(), -1, -1};
  for (int y = 0; y < image.pixelHeight(); ++y) {
    for (int x = 0; x < image.pixelWidth(); ++x) {
      if ((image.pixel(x, y) >> 24) == 0) continue;
      box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
    }
  }
  return box;
}

}  // namespace

TEST(TextLayout, MeasuresInPointsAtTheGivenEmSize) {
  TextLayout touch("Touch", 17);
  auto size = touch.size();
  EXPECT_GT(size.width, 17);
  // DejaVu Sans lines are about 1.16 em; 96/72 too large would mean the
  // size was taken as typographic points at the screen resolution.
  EXPECT_GT(size.height, 17 * 1.05);
  EXPECT_LT(size.height, 17 * 1.3);
  EXPECT_GT(touch.baseline(), size.height / 2);
  EXPECT_LT(touch.baseline(), size.height);

  EXPECT_GT(TextLayout("Touch and swipe", 17).size().width, size.width);
  EXPECT_GT(TextLayout("Touch", 17, true).size().width, size.width);
  // Unhinted metrics scale in proportion, whatever the size.
  EXPECT_NEAR(TextLayout("Touch", 34).size().width, 2 * size.width, 0.01 * size.width);
}

TEST(TextLayout, MaxWidthEllipsizesAndCanBeLifted) {
  TextLayout text("Zufällige Farben für jeden Punkt", 17);
  double full = text.size().width;
  text.setMaxWidth(100);
  EXPECT_LE(text.size().width, 100);
  EXPECT_GT(text.size().width, 50);
  EXPECT_DOUBLE_EQ(text.size().height, TextLayout("Z", 17).size().height);  // still one line
  text.setMaxWidth(0);
  EXPECT_DOUBLE_EQ(text.size().width, full);
}

TEST(TextLayout, DrawsUmlautsInsideItsMeasuredBoxAtScaleTwo) {
  TextLayout text("Größe ändern, Übung", 17);
  auto size = text.size();
  auto image = GraphicsContext::renderImage({size.width + 8, size.height + 8}, 2, false, [&] {
    text.drawAt({4, 4}, Color::black());
  });
  ASSERT_TRUE(image);
  auto box = inkBox(*image);
  ASSERT_LE(box[0], box[2]) << "nothing was drawn";
  EXPECT_GE(box[0], 8 - 2);
  EXPECT_GE(box[1], 8);
  EXPECT_LE(box[2], 2 * (4 + size.width) + 2);
  EXPECT_LE(box[3], 2 * (4 + size.height));
  EXPECT_GT(box[2] - box[0], size.width);  // drawn at two pixels a point
}

TEST(TextLayout, InvalidUTF8IsRepairedQuietly) {
  ::testing::internal::CaptureStderr();
  TextLayout text(std::string("ab\xff\xfe", 4) + std::string(1, '\0') + "c", 17);
  auto size = text.size();
  std::string printed = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed, "");
  EXPECT_GT(size.width, TextLayout("abc", 17).size().width);
}
