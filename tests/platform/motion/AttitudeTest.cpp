#include "platform/motion/Attitude.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace motion {
namespace {

constexpr double kTolerance = 1e-12;

TEST(AttitudeTest, RollPitchAndYawComeBackFromTheQuaternion) {
  const double cases[][3] = {{0.2, -0.4, 0}, {-2.5, 1.2, 3.0}, {1.0, -1.5, -0.7}, {0, 0, 0}};
  for (const auto& c : cases) {
    auto a = Attitude::fromRollPitchYaw(c[0], c[1], c[2]);
    EXPECT_NEAR(a.roll(), c[0], kTolerance);
    EXPECT_NEAR(a.pitch(), c[1], kTolerance);
    EXPECT_NEAR(a.yaw(), c[2], kTolerance);
  }
  // The formulas themselves, on a quaternion written out by hand: half of 0.5 rad about y.
  Attitude aboutY({std::cos(0.25), 0, std::sin(0.25), 0});
  EXPECT_NEAR(aboutY.roll(), 0.5, kTolerance);
  EXPECT_NEAR(aboutY.pitch(), 0, kTolerance);
  Attitude aboutX({std::cos(0.25), std::sin(0.25), 0, 0});
  EXPECT_NEAR(aboutX.pitch(), 0.5, kTolerance);
  EXPECT_NEAR(aboutX.roll(), 0, kTolerance);
}

TEST(AttitudeTest, GravityGivesRollAndPitchWithTheSignsOfTheDevice) {
  auto flat = Attitude::fromGravity(0, 0, -1);
  EXPECT_NEAR(flat.roll(), 0, kTolerance);
  EXPECT_NEAR(flat.pitch(), 0, kTolerance);
  // Right edge down: gravity leans towards +x, roll is positive.
  auto rightDown = Attitude::fromGravity(std::sin(0.3), 0, -std::cos(0.3));
  EXPECT_NEAR(rightDown.roll(), 0.3, kTolerance);
  EXPECT_NEAR(rightDown.pitch(), 0, kTolerance);
  // Top edge up: gravity leans towards -y, pitch is positive; the length does not matter.
  auto topUp = Attitude::fromGravity(0, -9 * std::sin(0.4), -9 * std::cos(0.4));
  EXPECT_NEAR(topUp.pitch(), 0.4, kTolerance);
  EXPECT_NEAR(topUp.roll(), 0, kTolerance);
  EXPECT_NEAR(topUp.yaw(), 0, kTolerance);
}

TEST(AttitudeTest, RelativeAttitudeIsTheTurnSinceTheReference) {
  auto reference = Attitude::fromRollPitchYaw(0.7, -0.3, 2.0);
  auto turn = Attitude::fromRollPitchYaw(0.2, -0.4, 0);
  auto current = Attitude(reference.quaternion() * turn.quaternion());
  current.multiplyByInverseOfAttitude(reference);
  EXPECT_NEAR(current.roll(), 0.2, kTolerance);
  EXPECT_NEAR(current.pitch(), -0.4, kTolerance);
  EXPECT_NEAR(current.yaw(), 0, kTolerance);
  // The reference itself is left alone.
  EXPECT_NEAR(reference.roll(), 0.7, kTolerance);

  auto same = reference;
  same.multiplyByInverseOfAttitude(reference);
  EXPECT_NEAR(same.quaternion().w, 1, kTolerance);
  EXPECT_NEAR(same.roll(), 0, kTolerance);
  EXPECT_NEAR(same.pitch(), 0, kTolerance);
  EXPECT_NEAR(same.yaw(), 0, kTolerance);
}

TEST(AttitudeTest, OnlyFiniteUnitRotationsAreValid) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(Attitude().isValid());
  EXPECT_TRUE(Attitude({2, 0, 0, 0}).isValid());  // normalised
  EXPECT_FALSE(Attitude({nan, 0, 0, 0}).isValid());
  EXPECT_FALSE(Attitude({1, inf, 0, 0}).isValid());
  EXPECT_FALSE(Attitude({0, 0, 0, 0}).isValid());
  EXPECT_FALSE(Attitude::fromRollPitchYaw(nan, 0, 0).isValid());
}

}  // namespace
}  // namespace motion
