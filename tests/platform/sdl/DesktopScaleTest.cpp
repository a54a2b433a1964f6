#include <gtest/gtest.h>

#include <cmath>

#include "platform/sdl/DesktopScale.h"

namespace {

TEST(DesktopScale, XftDpiIsReadFromTheResourceDatabaseAgainstNinetySixDpi) {
  EXPECT_EQ(sdl::scaleFromXResources("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 2.0);
  EXPECT_EQ(sdl::scaleFromXResources("Xft.dpi: 120"), 1.25);
  EXPECT_EQ(sdl::scaleFromXResources("*.dpi: 144\n"), 1.5)
      << "a wildcard binding is the same resource";
  EXPECT_FALSE(sdl::scaleFromXResources("Xcursor.size: 48\n"));
  EXPECT_FALSE(sdl::scaleFromXResources("Xft.dpi: large\n"));
  EXPECT_FALSE(sdl::scaleFromXResources("Xft.dpi: -96\n"));
  EXPECT_FALSE(sdl::scaleFromXResources(""));
  EXPECT_FALSE(sdl::scaleFromXResources(nullptr)) << "an X server with no resources set";
}

TEST(DesktopScale, GdkScaleIsAPositiveNumberOrNothing) {
  EXPECT_EQ(sdl::scaleFromGdkScale("2"), 2.0);
  EXPECT_FALSE(sdl::scaleFromGdkScale(nullptr));
  EXPECT_FALSE(sdl::scaleFromGdkScale(""));
  EXPECT_FALSE(sdl::scaleFromGdkScale("0"));
  EXPECT_FALSE(sdl::scaleFromGdkScale("two"));
}

TEST(DesktopScale, TheScaleStaysBetweenOneAndFour) {
  EXPECT_EQ(sdl::clampScale(0.5), 1.0) << "72 dpi must not shrink the window's contents";
  EXPECT_EQ(sdl::clampScale(1.5), 1.5);
  EXPECT_EQ(sdl::clampScale(9), 4.0);
  EXPECT_EQ(sdl::clampScale(std::nan("")), 1.0);
  EXPECT_EQ(sdl::clampScale(INFINITY), 1.0);
}

}  // namespace
