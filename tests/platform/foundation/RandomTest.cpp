#include "platform/foundation/Random.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>

#include "platform/foundation/ScriptedRandom.h"

using foundation::Random;

TEST(RandomTest, ScriptedEndsLandExactlyOnBothBounds) {
  // Bounds for which a + (b - a) * 1 rounds to just below b.
  const double a = -4.898619485211566, b = 5.275492379532281;
  ScriptedRandom script({0.0, 1.0, 0.25, 0.0, 1.0});
  EXPECT_EQ(Random::uniform(a, b), a);
  EXPECT_EQ(Random::uniform(a, b), b);
  EXPECT_EQ(Random::uniform(10, 20), 12.5);
  // Reversed bounds mean the same interval.
  EXPECT_EQ(Random::uniform(7, 3), 3);
  EXPECT_EQ(Random::uniform(7, 3), 7);
  EXPECT_EQ(script.remaining(), 0u);
}

TEST(RandomTest, ScriptedValuesOutsideTheUnitIntervalAreClampedIntoIt) {
  ScriptedRandom script({-0.5, 1.5, std::numeric_limits<double>::quiet_NaN()});
  EXPECT_EQ(Random::uniform(2, 4), 2);
  EXPECT_EQ(Random::uniform(2, 4), 4);
  EXPECT_EQ(Random::uniform(2, 4), 2);
}

TEST(RandomTest, ScriptedIntegersCoverTheClosedRange) {
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  ScriptedRandom script({0.0, 0.5, 0.9999, 1.0, 0.0, 1.0, 1.0});
  EXPECT_EQ(Random::integer(0, 5), 0);
  EXPECT_EQ(Random::integer(0, 5), 3);
  EXPECT_EQ(Random::integer(0, 5), 5);
  EXPECT_EQ(Random::integer(5, 0), 5);
  EXPECT_EQ(Random::integer(kMin, kMax), kMin);
  EXPECT_EQ(Random::integer(kMin, kMax), kMax);
  EXPECT_EQ(Random::integer(-3, -3), -3);
}

TEST(RandomTest, SystemDrawsStayInsideAndSpreadAcrossTheInterval) {
  double sum = 0;
  std::set<double> distinct;
  constexpr int kDraws = 100000;
  for (int i = 0; i < kDraws; ++i) {
    double value = Random::uniform(-1.5, 2.25);
    ASSERT_GE(value, -1.5);
    ASSERT_LE(value, 2.25);
    sum += value;
    distinct.insert(value);
  }
  // The mean's standard deviation is about 0.0034 here.
  EXPECT_NEAR(sum / kDraws, 0.375, 0.05);
  EXPECT_GT(distinct.size(), kDraws * 9 / 10);
}

TEST(RandomTest, SystemIntegersReachBothEnds) {
  std::set<std::int64_t> seen;
  for (int i = 0; i < 10000; ++i) {
    auto value = Random::integer(3, 0);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 3);
    seen.insert(value);
  }
  EXPECT_EQ(seen, (std::set<std::int64_t>{0, 1, 2, 3}));
}

TEST(ScriptedRandomTest, RunningOutFailsTheTestAndRepeatsTheLastValue) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedRandom script({0.25});
        Random::uniform(0, 4);
        EXPECT_EQ(Random::uniform(0, 4), 1.0);
      },
      "ran out after 1 values");
  ScriptedRandom steady({1.0}, ScriptedRandom::Exhausted::RepeatLast);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Random::integer(1, 6), 6);
}
