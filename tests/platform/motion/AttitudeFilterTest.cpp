#include "platform/motion/AttitudeFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace motion {
namespace {

constexpr double g = 9.80665;
const Vector3 kFlat{0, 0, g};
const Vector3 kStill{0, 0, 0};

// What a resting sensor feels with its right edge `roll` radians down.
Vector3 rolled(double roll) {
  return {-g * std::sin(roll), 0, g * std::cos(roll)};
}

TEST(AttitudeFilterTest, TheFirstReadingSetsTheTiltFromGravity) {
  AttitudeFilter filter;
  EXPECT_FALSE(filter.attitude());
  filter.update(rolled(0.3), kStill, 0);
  ASSERT_TRUE(filter.attitude());
  EXPECT_NEAR(filter.attitude()->roll(), 0.3, 1e-9);
  EXPECT_NEAR(filter.attitude()->pitch(), 0, 1e-9);
}

TEST(AttitudeFilterTest, TheGyroTurnsTheAttitudeAndGravityDoesNotUndoAYaw) {
  AttitudeFilter filter;
  filter.update(kFlat, kStill, 0);
  for (int i = 0; i < 50; ++i) filter.update(kFlat, {0, 0, 1.0}, 0.01);
  EXPECT_NEAR(filter.attitude()->yaw(), 0.5, 1e-9);
  EXPECT_NEAR(filter.attitude()->roll(), 0, 1e-9);
}

TEST(AttitudeFilterTest, TheTiltFollowsTheAccelerometerWithTheTimeConstant) {
  AttitudeFilter filter;
  filter.update(kFlat, kStill, 0);
  // A gyro that missed the tilt entirely: the accelerometer pulls it in.
  double dt = 0.01;
  int steps = static_cast<int>(AttitudeFilter::kTimeConstant / dt);
  for (int i = 0; i < steps; ++i) filter.update(rolled(0.3), kStill, dt);
  EXPECT_NEAR(filter.attitude()->roll(), 0.3 * (1 - std::exp(-1.0)), 0.01);
  for (int i = 0; i < 5 * steps; ++i) filter.update(rolled(0.3), kStill, dt);
  EXPECT_NEAR(filter.attitude()->roll(), 0.3, 0.003);
}

TEST(AttitudeFilterTest, ShakesAndAbsurdReadingsLeaveTheAttitudeAlone) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr double inf = std::numeric_limits<double>::infinity();
  AttitudeFilter filter;
  filter.update({nan, 0, g}, kStill, 0);
  EXPECT_FALSE(filter.attitude());
  filter.update(kFlat, kStill, 0);
  for (int i = 0; i < 100; ++i)
    filter.update({2 * g, 0, 2 * g}, kStill, 0.01);  // hands, not gravity
  filter.update(kFlat, {inf, 0, 0}, 0.01);
  filter.update(kFlat, {0, nan, 0}, 0.01);
  filter.update(kFlat, {1, 0, 0}, nan);
  ASSERT_TRUE(filter.attitude()->isValid());
  EXPECT_NEAR(filter.attitude()->roll(), 0, 1e-9);
  EXPECT_NEAR(filter.attitude()->pitch(), 0, 1e-9);
}

}  // namespace
}  // namespace motion
