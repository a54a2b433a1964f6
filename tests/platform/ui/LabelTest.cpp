#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Appearance.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/TextLayout.h"
#include "platform/ui/Application.h"
#include "platform/ui/Label.h"

using foundation::Rect;
using ui::Label;

namespace {

struct Ink {
  int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
  int pixels = 0;
  bool empty() const { return pixels == 0; }
  double midX() const { return (minX + maxX) / 2.0; }
  double midY() const { return (minY + maxY) / 2.0; }
};

// Where anything was painted in a view's content, at one pixel per point,
// in the rows from `fromY` down.
Ink inkOf(ui::View& view, int fromY = 0) {
  Ink ink;
  auto image = view.contentImage(1.0);
  if (!image) return ink;
  for (int y = fromY; y < image->pixelHeight(); ++y) {
    for (int x = 0; x < image->pixelWidth(); ++x) {
      if ((image->pixel(x, y) >> 24) == 0) continue;
      ++ink.pixels;
      ink.minX = std::min(ink.minX, x);
      ink.maxX = std::max(ink.maxX, x);
      ink.minY = std::min(ink.minY, y);
      ink.maxY = std::max(ink.maxY, y);
    }
  }
  return ink;
}

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    graphics::Appearance::setCurrent(graphics::Appearance::Style::Light);
    ui::Application::reset();
  }
  void TearDown() override { ui::Application::reset(); }
  std::shared_ptr<Label> makeLabel(const std::string& text, Rect frame = {0, 0, 200, 44}) {
    auto label = foundation::create<Label>(frame);
    label->setText(text);
    return label;
  }
};

TEST_F(LabelTest, TextIsDrawnVerticallyCentredFromTheLeadingEdge) {
  auto label = makeLabel("Touch");
  Ink ink = inkOf(*label);
  ASSERT_FALSE(ink.empty());
  EXPECT_LT(ink.minX, 4);
  EXPECT_LT(ink.maxX, 100) << "five letters at 17 pt are far narrower than the label";
  EXPECT_NEAR(ink.midY(), 22, 4);
  // Nothing but the glyphs: the background stays clear.
  auto image = label->contentImage(1.0);
  EXPECT_EQ(image->pixel(199, 0), 0u);
  EXPECT_EQ(image->pixel(150, 22), 0u);
}

TEST_F(LabelTest, AlignmentPlacesTheTextAndChangesRedrawIt) {
  auto label = makeLabel("Magnet");
  double left = inkOf(*label).midX();
  label->setAlignment(Label::Alignment::Center);
  Ink centred = inkOf(*label);
  EXPECT_NEAR(centred.midX(), 100, 3);
  label->setAlignment(Label::Alignment::Right);
  Ink right = inkOf(*label);
  EXPECT_GT(right.maxX, 194);
  EXPECT_LT(left, centred.midX());
}

TEST_F(LabelTest, TextTooWideIsCutAtTheEndWhateverTheAlignment) {
  auto label = makeLabel("Random colours for every dot on the screen", {0, 0, 120, 30});
  label->setAlignment(Label::Alignment::Right);
  EXPECT_GT(label->intrinsicSize().width, 120);
  Ink ink = inkOf(*label);
  ASSERT_FALSE(ink.empty());
  // Right-aligned overflowing text would lose its beginning off the left edge.
  EXPECT_LT(ink.minX, 4) << "the start of the text stays in view";
  EXPECT_GT(ink.maxX, 100) << "the ellipsis fills the width";
}

TEST_F(LabelTest, AWrappingLabelTakesTheLinesItNeedsEachAlignedOnItsOwn) {
  auto label = makeLabel("Eine neue Version von Tamarock ist verfügbar!");
  label->setNumberOfLines(0);
  label->setAlignment(Label::Alignment::Center);
  double oneLine = label->intrinsicSize().height;
  auto size = label->sizeThatFits(160);
  EXPECT_LE(size.width, 160);
  EXPECT_GE(size.height, 3 * oneLine - 1) << "three lines at this width";
  label->setFrame({0, 0, 160, size.height});
  auto layout = label->textLayout();
  EXPECT_EQ(layout.lineCount(), 3);
  EXPECT_FALSE(layout.isEllipsized());
  // The last line ("verfügbar!") is short: centred on its own, not under the first.
  int lastLine = static_cast<int>(size.height - oneLine) + 2;
  Ink last = inkOf(*label, lastLine);
  ASSERT_FALSE(last.empty());
  EXPECT_NEAR(last.midX(), 80, 4);
  EXPECT_GT(last.minX, 20);
  label->setAlignment(Label::Alignment::Left);
  EXPECT_LT(inkOf(*label, lastLine).minX, 4);

  label->setNumberOfLines(2);
  EXPECT_TRUE(label->textLayout().isEllipsized()) << "two lines cannot hold it";
  EXPECT_LE(label->sizeThatFits(160).height, 2 * oneLine + 1);
}

// The natural alignment follows the interface; the others stay where they say
// on the page, whichever way the text itself runs.
TEST_F(LabelTest, NaturalTextLeadsFromTheRightInARightToLeftInterface) {
  auto english = makeLabel("Touch");
  auto arabic = makeLabel("يتوفر إصدار جديد من Tamarock!", {0, 0, 160, 80});
  arabic->setNumberOfLines(0);
  arabic->setFrame({0, 0, 160, arabic->sizeThatFits(160).height});
  ASSERT_GE(arabic->textLayout().lineCount(), 2);
  int lastLine = static_cast<int>(arabic->bounds().height() - english->intrinsicSize().height) + 2;
  auto lastLineInk = [&] { return inkOf(*arabic, lastLine); };

  // Left to right, Arabic text too stands where its alignment says.
  EXPECT_LT(inkOf(*english).minX, 4);
  EXPECT_LT(lastLineInk().minX, 4) << "natural is left";
  arabic->setAlignment(Label::Alignment::Right);
  EXPECT_GT(lastLineInk().maxX, 155);
  EXPECT_GT(lastLineInk().minX, 20);

  ui::Application::shared()->setUserInterfaceLayoutDirection(
      ui::UserInterfaceLayoutDirection::RightToLeft);
  english->setNeedsDisplay();
  EXPECT_EQ(english->effectiveAlignment(), Label::Alignment::Right);
  EXPECT_GT(inkOf(*english).maxX, 194);
  EXPECT_GT(inkOf(*english).minX, 100);
  arabic->setAlignment(Label::Alignment::Natural);
  EXPECT_GT(lastLineInk().maxX, 155);
  EXPECT_GT(lastLineInk().minX, 20);
  arabic->setAlignment(Label::Alignment::Left);
  EXPECT_LT(lastLineInk().minX, 4) << "left is left, even for Arabic in a right-to-left interface";
  english->setAlignment(Label::Alignment::Left);
  EXPECT_LT(inkOf(*english).minX, 4);
}

TEST_F(LabelTest, IntrinsicSizeFollowsTextSizeAndWeight) {
  auto label = makeLabel("");
  EXPECT_EQ(label->intrinsicSize(), (foundation::Size{0, 0}));
  EXPECT_TRUE(inkOf(*label).empty());
  label->setText("Paint");
  foundation::Size regular = label->intrinsicSize();
  EXPECT_GT(regular.width, 20);
  EXPECT_GT(regular.height, 17);
  EXPECT_EQ(regular.width, std::ceil(regular.width));
  label->setBold(true);
  EXPECT_GT(label->intrinsicSize().width, regular.width);
  label->setPointSize(34);
  EXPECT_GT(label->intrinsicSize().height, 1.8 * regular.height);
}

TEST_F(LabelTest, TextColourDefaultsToTheLabelColourAndCanBeSet) {
  auto label = makeLabel("\u2588\u2588\u2588");  // full blocks: solid glyph pixels
  auto darkest = [&] {
    auto image = label->contentImage(1.0);
    std::uint32_t best = 0;
    for (int x = 0; x < 60; ++x) {
      std::uint32_t p = image->pixel(x, 22);
      if ((p >> 24) > (best >> 24)) best = p;
    }
    return best;
  };
  std::uint32_t black = darkest();
  EXPECT_EQ(black >> 24, 0xffu);
  EXPECT_EQ(black & 0xffffff, 0u) << "label colour is black in the light appearance";
  label->setTextColor(graphics::Color::fromRGB(1, 0, 0));
  EXPECT_EQ(darkest(), 0xffff0000u);
}

TEST_F(LabelTest, TouchesOnALabelBelongToTheViewUnderIt) {
  auto parent = foundation::create<ui::View>(Rect{0, 0, 300, 100});
  auto label = makeLabel("Swipe");
  parent->addSubview(label);
  EXPECT_EQ(parent->hitTest({10, 20}), parent);
}

}  // namespace
