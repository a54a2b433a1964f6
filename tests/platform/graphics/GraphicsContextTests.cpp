#include "platform/graphics/GraphicsContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <thread>

#include "platform/graphics/BezierPath.h"
#include "platform/graphics/CairoPtr.h"
#include "platform/graphics/Image.h"

using graphics::BezierPath;
using graphics::Color;
using graphics::GraphicsContext;

TEST(GraphicsContext, ScopesStackPerThreadAndMayEndOutOfOrder) {
  EXPECT_EQ(GraphicsContext::current(), nullptr);
  graphics::SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
  graphics::CairoPtr cr(cairo_create(surface.get()));
  GraphicsContext a(cr.get(), 1), b(cr.get(), 2);
  std::optional<GraphicsContext::Scope> scopeA, scopeB;
  scopeA.emplace(a);
  scopeB.emplace(b);
  EXPECT_EQ(GraphicsContext::current(), &b);

  GraphicsContext* seenElsewhere = &a;
  std::thread([&] { seenElsewhere = GraphicsContext::current(); }).join();
  EXPECT_EQ(seenElsewhere, nullptr);

  GraphicsContext::renderImage({1, 1}, 1, false, [] {});
  EXPECT_EQ(GraphicsContext::current(), &b);

  scopeA.reset();
  EXPECT_EQ(GraphicsContext::current(), &b);
  scopeB.reset();
  EXPECT_EQ(GraphicsContext::current(), nullptr);
  EXPECT_EQ(cairo_status(cr.get()), CAIRO_STATUS_SUCCESS);
}

TEST(GraphicsContext, ScopeRestoresClipAndColoursOnExit) {
  auto image = GraphicsContext::renderImage({20, 20}, 1, false, [] {
    GraphicsContext& context = *GraphicsContext::current();
    {
      GraphicsContext::Scope inner(context);
      BezierPath::withRect({0, 0, 10, 20}).addClip();
      Color::white().setFill();
      BezierPath::withRect({0, 0, 20, 20}).fill();
    }
    EXPECT_EQ(context.fillColor(), Color::black());
    BezierPath::withRect({0, 15, 20, 5}).fill();
  });
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixel(5, 5), 0xffffffffu);
  EXPECT_EQ(image->pixel(15, 5), 0u);            // the clip held inside the scope
  EXPECT_EQ(image->pixel(15, 17), 0xff000000u);  // and was gone after it
}

TEST(GraphicsContext, RenderImageMakesAScaledCurrentContextOverCeiledPixels) {
  GraphicsContext* during = nullptr;
  double scaleDuring = 0;
  auto image = GraphicsContext::renderImage({10.2, 5.1}, 1.5, false, [&] {
    during = GraphicsContext::current();
    scaleDuring = during->scale();
    BezierPath::withRect({0, 0, 2, 2}).fill();
  });
  ASSERT_TRUE(image);
  EXPECT_NE(during, nullptr);
  EXPECT_EQ(scaleDuring, 1.5);
  EXPECT_EQ(GraphicsContext::current(), nullptr);
  EXPECT_EQ(image->pixelWidth(), 16);  // ceil(15.3)
  EXPECT_EQ(image->pixelHeight(), 8);  // ceil(7.65)
  EXPECT_EQ(image->scale(), 1.5);
  EXPECT_EQ(image->pixel(2, 2), 0xff000000u);  // 2 points are 3 pixels
  EXPECT_EQ(image->pixel(3, 3), 0u);

  auto opaque = GraphicsContext::renderImage({4, 4}, 1, true, nullptr);
  ASSERT_TRUE(opaque);
  EXPECT_EQ(cairo_image_surface_get_format(opaque->surface()), CAIRO_FORMAT_RGB24);
  EXPECT_EQ(opaque->pixel(3, 3), 0xff000000u);
}

TEST(GraphicsContext, RenderImageRefusesWhatCannotBeAnImage) {
  auto noop = [] {};
  EXPECT_FALSE(GraphicsContext::renderImage({0, 10}, 1, false, noop));
  EXPECT_FALSE(GraphicsContext::renderImage({10, -1}, 1, false, noop));
  EXPECT_FALSE(GraphicsContext::renderImage({NAN, 10}, 1, false, noop));
  EXPECT_FALSE(GraphicsContext::renderImage({10, 10}, 0, false, noop));
  EXPECT_FALSE(GraphicsContext::renderImage({10, 10}, NAN, false, noop));
  EXPECT_FALSE(GraphicsContext::renderImage({20000, 10}, 2, false, noop));
  // Drawing that breaks the cairo context is a failure, not a half-drawn image.
  EXPECT_FALSE(GraphicsContext::renderImage(
      {10, 10}, 1, false, [] { cairo_restore(GraphicsContext::current()->cairo()); }));
}
