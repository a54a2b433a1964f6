#include "platform/graphics/Color.h"

#include <gtest/gtest.h>

#include <ostream>
#include <thread>

#include "platform/graphics/Appearance.h"
#include "platform/graphics/CairoPtr.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/graphics/Image.h"

using graphics::Appearance;
using graphics::Color;

namespace {

void expectRGB(const Color& c, double r, double g, double b) {
  EXPECT_NEAR(c.red(), r, 1e-12);
  EXPECT_NEAR(c.green(), g, 1e-12);
  EXPECT_NEAR(c.blue(), b, 1e-12);
}

// The four backgrounds, as they resolve at one moment.
struct Backgrounds {
  Color system, secondary, grouped, secondaryGrouped;
  friend bool operator==(const Backgrounds&, const Backgrounds&) = default;
  friend void PrintTo(const Backgrounds& b, std::ostream* os) {
    for (const Color& c : {b.system, b.secondary, b.grouped, b.secondaryGrouped}) {
      *os << " (" << c.red() * 255 << ", " << c.green() * 255 << ", " << c.blue() * 255 << ")";
    }
  }
};

class SystemColors : public ::testing::Test {
 protected:
  void TearDown() override { Appearance::setCurrent(Appearance::Style::Light); }
};

}  // namespace

TEST(Color, HueSweepsThroughThePrimariesAndClosesTheCircle) {
  expectRGB(Color::fromHSB(0, 1, 1, 1), 1, 0, 0);
  expectRGB(Color::fromHSB(1.0 / 3, 1, 1, 1), 0, 1, 0);
  expectRGB(Color::fromHSB(2.0 / 3, 1, 1, 1), 0, 0, 1);
  expectRGB(Color::fromHSB(1.0 / 6, 1, 1, 1), 1, 1, 0);
  EXPECT_EQ(Color::fromHSB(1.0, 0.7, 0.8, 1), Color::fromHSB(0.0, 0.7, 0.8, 1));
  expectRGB(Color::fromHSB(0.37, 0, 0.4, 1), 0.4, 0.4, 0.4);
  expectRGB(Color::fromHSB(0.5, 1, 0.5, 1), 0, 0.5, 0.5);
}

TEST(Color, OutOfRangeInputsAreClampedNotWrapped) {
  EXPECT_EQ(Color::fromHSB(1.5, 2, 3, 4), Color::fromHSB(1, 1, 1, 1));
  EXPECT_EQ(Color::fromHSB(-0.2, 0.5, 0.5, 1), Color::fromHSB(0, 0.5, 0.5, 1));
  EXPECT_EQ(Color::fromRGB(-1, 2, 0.5, 7), Color::fromRGB(0, 1, 0.5, 1));
  EXPECT_EQ(Color::fromRGB(NAN, 0, 0, NAN), Color::fromRGB(0, 0, 0, 0));
  EXPECT_EQ(Color::fromRGB255(300, -5, 51), Color::fromRGB(1, 0, 0.2));
}

TEST(Color, GetHSBInvertsFromHSB) {
  for (double h = 0; h < 1; h += 0.05) {
    for (double s : {0.25, 0.6, 1.0}) {
      for (double v : {0.3, 1.0}) {
        double h2, s2, v2;
        Color::fromHSB(h, s, v, 1).getHSB(h2, s2, v2);
        EXPECT_NEAR(h2, h, 1e-9) << h << " " << s << " " << v;
        EXPECT_NEAR(s2, s, 1e-9);
        EXPECT_NEAR(v2, v, 1e-9);
      }
    }
  }
  double h, s, v;
  Color::fromRGB(0.5, 0.5, 0.5).getHSB(h, s, v);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(s, 0);
  EXPECT_DOUBLE_EQ(v, 0.5);
}

TEST_F(SystemColors, ResolveAgainstTheAppearanceWhenAskedFor) {
  EXPECT_EQ(Color::systemGray(), Color::fromRGB255(142, 142, 147));
  EXPECT_EQ(Color::systemGray2(), Color::fromRGB255(174, 174, 178));
  EXPECT_EQ(Color::systemBackground(), Color::white());
  EXPECT_EQ(Color::secondaryLabel(), Color::fromRGB255(60, 60, 67, 0.6));
  EXPECT_EQ(Color::systemBlue(), Color::fromRGB255(0, 122, 255));
  Color lightGray2 = Color::systemGray2();

  Appearance::setCurrent(Appearance::Style::Dark);
  EXPECT_EQ(Color::systemGray(), Color::fromRGB255(142, 142, 147));
  EXPECT_EQ(Color::systemGray2(), Color::fromRGB255(99, 99, 102));
  EXPECT_EQ(Color::systemBackground(), Color::black());
  EXPECT_EQ(Color::label(), Color::white());
  EXPECT_EQ(Color::separator(), Color::fromRGB255(84, 84, 88, 0.6));
  EXPECT_EQ(Color::secondarySystemBackground(), Color::fromRGB255(28, 28, 30));
  EXPECT_EQ(Color::systemGreen(), Color::fromRGB255(48, 209, 88));
  // A colour already taken keeps the appearance it was taken in.
  EXPECT_EQ(lightGray2, Color::fromRGB255(174, 174, 178));
}

// The backgrounds of content presented over other content lift a step in the
// dark and stay as they are in the light; nothing else depends on the level,
// and the level holds only on the thread that asked for it, only for a while.
TEST_F(SystemColors, DarkBackgroundsLiftAStepAtTheElevatedLevel) {
  using Level = Appearance::Level;
  auto take = [] {
    return Backgrounds{Color::systemBackground(), Color::secondarySystemBackground(),
                       Color::systemGroupedBackground(), Color::secondarySystemGroupedBackground()};
  };
  auto at = [&](Level level) {
    Backgrounds taken;
    Appearance::performAtLevel(level, [&] { taken = take(); });
    return taken;
  };
  const Color white = Color::white(), black = Color::black();
  const Color grey6 = Color::fromRGB255(242, 242, 247), dark = Color::fromRGB255(28, 28, 30),
              lifted = Color::fromRGB255(44, 44, 46);
  EXPECT_EQ(at(Level::Base), (Backgrounds{white, grey6, grey6, white}));
  EXPECT_EQ(at(Level::Elevated), at(Level::Base)) << "light is the same at both levels";

  Appearance::setCurrent(Appearance::Style::Dark);
  EXPECT_EQ(at(Level::Base), (Backgrounds{black, dark, black, dark}));
  EXPECT_EQ(at(Level::Elevated), (Backgrounds{dark, lifted, dark, lifted}));
  Appearance::performAtLevel(Level::Elevated, [&] {
    EXPECT_EQ(Color::label(), Color::white());
    EXPECT_EQ(Color::separator(), Color::fromRGB255(84, 84, 88, 0.6));
    EXPECT_EQ(Color::systemGray2(), Color::fromRGB255(99, 99, 102));
    EXPECT_EQ(at(Level::Base).system, black) << "a base part inside elevated content";
    EXPECT_EQ(Color::systemBackground(), dark) << "and elevated again after it";
    Backgrounds elsewhere;
    std::thread([&] { elsewhere = take(); }).join();
    EXPECT_EQ(elsewhere, (Backgrounds{black, dark, black, dark})) << "another thread";
  });
  EXPECT_EQ(Appearance::currentLevel(), Level::Base);
  EXPECT_EQ(take(), at(Level::Base));
}

TEST(Color, PremultipliedARGBIsWhatCairoStores) {
  for (Color c :
       {Color::systemGray(), Color::fromRGB(1, 0.5, 0.25, 0.5), Color::fromRGB255(60, 60, 67, 0.29),
        Color::fromHSB(0.9, 0.8, 0.7, 0.33), Color::clear(), Color::white()}) {
    auto image = graphics::GraphicsContext::renderImage({1, 1}, 1, false, [&] {
      cairo_t* cr = graphics::GraphicsContext::current()->cairo();
      cairo_set_source_rgba(cr, c.red(), c.green(), c.blue(), c.alpha());
      cairo_paint(cr);
    });
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixel(0, 0), c.premultipliedARGB()) << std::hex << c.premultipliedARGB();
  }
}

TEST(Color, SetFillAndSetStrokeReachOnlyTheCurrentContext) {
  Color::systemBlue().setFill();  // without a context there is nothing to change
  graphics::SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
  graphics::CairoPtr cr(cairo_create(surface.get()));
  graphics::GraphicsContext outer(cr.get(), 1), inner(cr.get(), 1);
  graphics::GraphicsContext::Scope outerScope(outer);
  {
    graphics::GraphicsContext::Scope innerScope(inner);
    Color::systemBlue().setFill();
    Color::systemGreen().setStroke();
    EXPECT_EQ(inner.fillColor(), Color::systemBlue());
    EXPECT_EQ(inner.strokeColor(), Color::systemGreen());
  }
  EXPECT_EQ(outer.fillColor(), Color::black());
  EXPECT_EQ(outer.strokeColor(), Color::black());
}
