#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/MonkeyHarness.h"

namespace {

// A run per action, each starting there and free to wander into the others.
// TAMAROCK_MONKEY_SEED replays a seed a run printed; TAMAROCK_MONKEY_EVENTS
// sets the events per run (CTest sets it for CI; a plain run of the suite
// sends a quick thousand).
class MonkeyTest : public MonkeyHarness, public ::testing::WithParamInterface<std::int64_t> {
 protected:
  static std::uint64_t seed() {
    if (const char* given = std::getenv("TAMAROCK_MONKEY_SEED")) {
      return std::strtoull(given, nullptr, 10);
    }
    std::random_device entropy;
    return (static_cast<std::uint64_t>(entropy()) << 32) | entropy();
  }
  static int events() {
    const char* given = std::getenv("TAMAROCK_MONKEY_EVENTS");
    return given ? std::atoi(given) : 1000;
  }
};

TEST_P(MonkeyTest, TheProgramKeepsItsShapeUnderRandomInput) {
  auto s = seed();
  auto n = events();
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::printf(
      "monkey: seed %llu, %d events (replay: TAMAROCK_MONKEY_SEED=%llu "
      "TAMAROCK_MONKEY_EVENTS=%d tamarock_tests --gtest_filter='%s.%s')\n",
      static_cast<unsigned long long>(s), n, static_cast<unsigned long long>(s), n,
      test->test_suite_name(), test->name());
  std::fflush(stdout);
  runMonkey(GetParam(), s, n);
  EXPECT_EQ(eventsRun(), n);
}

std::string actionName(const ::testing::TestParamInfo<std::int64_t>& info) {
  static const char* const kNames[] = {"Touch", "Gravity", "Swipe", "Connect", "Magnet", "Paint"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(Monkey, MonkeyTest, ::testing::Range<std::int64_t>(0, 6), actionName);

}  // namespace
