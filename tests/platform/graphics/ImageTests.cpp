#include "platform/graphics/Image.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/graphics/BezierPath.h"
#include "platform/graphics/GraphicsContext.h"

using graphics::BezierPath;
using graphics::Color;
using graphics::GraphicsContext;
using graphics::Image;

namespace {

// Every pixel different, so a crop shows exactly where it came from.
std::uint32_t patternAt(int x, int y) {
  return 0xff000000u | x << 8 | y;
}

std::shared_ptr<Image> patternImage(int w, int h, double scale) {
  graphics::SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint32_t v = patternAt(x, y);
      std::memcpy(data + y * stride + 4 * x, &v, sizeof v);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return Image::fromSurface(surface.get(), scale);
}

}  // namespace

TEST(Image, FromSurfaceHoldsItsOwnReferenceAndRefusesBadInput) {
  graphics::SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 6, 4));
  auto image = Image::fromSurface(surface.get(), 2);
  ASSERT_TRUE(image);
  EXPECT_EQ(cairo_surface_get_reference_count(surface.get()), 2u);
  EXPECT_EQ(image->size(), (foundation::Size{3, 2}));
  image.reset();
  EXPECT_EQ(cairo_surface_get_reference_count(surface.get()), 1u);

  EXPECT_FALSE(Image::fromSurface(nullptr, 1));
  EXPECT_FALSE(Image::fromSurface(surface.get(), 0));
  EXPECT_FALSE(Image::fromSurface(surface.get(), NAN));
  graphics::SurfacePtr broken(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, -1, 5));
  EXPECT_FALSE(Image::fromSurface(broken.get(), 1));
  graphics::SurfacePtr recording(
      cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr));
  EXPECT_FALSE(Image::fromSurface(recording.get(), 1));
}

TEST(Image, CroppedTakesPixelsIntersectedWithTheImage) {
  auto image = patternImage(10, 8, 2);
  ASSERT_TRUE(image);

  auto inside = image->cropped(2, 3, 4, 5);
  ASSERT_TRUE(inside);
  EXPECT_EQ(inside->pixelWidth(), 4);
  EXPECT_EQ(inside->pixelHeight(), 5);
  EXPECT_EQ(inside->scale(), 2);
  EXPECT_EQ(inside->size(), (foundation::Size{2, 2.5}));
  EXPECT_EQ(inside->pixel(0, 0), patternAt(2, 3));
  EXPECT_EQ(inside->pixel(3, 4), patternAt(5, 7));
  EXPECT_EQ(inside->pixel(4, 0), 0u);  // reads outside an image are transparent
  EXPECT_EQ(inside->pixel(-1, 0), 0u);

  auto clamped = image->cropped(-5, 6, 8, 100);
  ASSERT_TRUE(clamped);
  EXPECT_EQ(clamped->pixelWidth(), 3);
  EXPECT_EQ(clamped->pixelHeight(), 2);
  EXPECT_EQ(clamped->pixel(2, 1), patternAt(2, 7));

  auto flipped = image->cropped(5, 5, -3, -2);  // the same as (2, 3, 3, 2)
  ASSERT_TRUE(flipped);
  EXPECT_EQ(flipped->pixelWidth(), 3);
  EXPECT_EQ(flipped->pixel(0, 0), patternAt(2, 3));
}

TEST(Image, CroppedGivesNothingForAnEmptyIntersection) {
  auto image = patternImage(10, 8, 1);
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->cropped(10, 0, 5, 5));
  EXPECT_FALSE(image->cropped(0, 0, 0, 5));
  EXPECT_FALSE(image->cropped(-6, 0, 6, 5));
  EXPECT_FALSE(image->cropped(INT_MAX, INT_MAX, INT_MAX, INT_MAX));
  EXPECT_FALSE(image->cropped(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  auto all = image->cropped(-1000, -1000, INT_MAX, INT_MAX);
  ASSERT_TRUE(all);
  EXPECT_EQ(all->pixelWidth(), 10);
  EXPECT_EQ(all->pixelHeight(), 8);
}

TEST(Image, DrawAtCoversItsPointSizeAtAnyScale) {
  // Left half red, right half blue, made at 2x: 20 x 20 pixels, 10 x 10 points.
  auto tile = GraphicsContext::renderImage({10, 10}, 2, false, [] {
    Color::fromRGB(1, 0, 0).setFill();
    BezierPath::withRect({0, 0, 5, 10}).fill();
    Color::fromRGB(0, 0, 1).setFill();
    BezierPath::withRect({5, 0, 5, 10}).fill();
  });
  ASSERT_TRUE(tile);
  EXPECT_EQ(tile->size(), (foundation::Size{10, 10}));

  auto sharp = GraphicsContext::renderImage({30, 30}, 2, false, [&] { tile->drawAt({5, 5}); });
  ASSERT_TRUE(sharp);
  EXPECT_EQ(sharp->pixel(9, 20), 0u);
  EXPECT_EQ(sharp->pixel(10, 20), 0xffff0000u);
  EXPECT_EQ(sharp->pixel(19, 20), 0xffff0000u);  // no blur where the halves meet
  EXPECT_EQ(sharp->pixel(20, 20), 0xff0000ffu);
  EXPECT_EQ(sharp->pixel(29, 29), 0xff0000ffu);
  EXPECT_EQ(sharp->pixel(30, 20), 0u);

  auto small = GraphicsContext::renderImage({30, 30}, 1, false, [&] { tile->drawAt({5, 5}); });
  ASSERT_TRUE(small);
  EXPECT_EQ(small->pixel(4, 10), 0u);
  EXPECT_EQ(small->pixel(6, 10), 0xffff0000u);
  EXPECT_EQ(small->pixel(13, 10), 0xff0000ffu);
  EXPECT_EQ(small->pixel(15, 10), 0u);
}

TEST(Image, PNGRoundTripKeepsThePixels) {
  auto image = patternImage(7, 5, 1);
  ASSERT_TRUE(image);
  std::string path = ::testing::TempDir() + "tamarock-image-roundtrip.png";
  ASSERT_TRUE(image->writePNG(path));
  auto back = Image::fromPNG(path, 2);
  std::remove(path.c_str());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->pixelWidth(), 7);
  EXPECT_EQ(back->scale(), 2);
  EXPECT_EQ(back->pixel(6, 4), patternAt(6, 4));

  EXPECT_FALSE(Image::fromPNG(::testing::TempDir() + "no-such-image.png"));
  EXPECT_FALSE(image->writePNG("/nonexistent-directory/x.png"));
}
