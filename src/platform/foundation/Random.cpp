#include "platform/foundation/Random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <random>
#include <utility>

namespace foundation {

namespace {

// 2^53 + 1 equally likely steps from 0 to 1, both included: as fine as a
// double resolves near 1, and unlike generate_canonical it can return 1.
constexpr std::uint64_t kSteps = std::uint64_t{1} << 53;

std::mt19937_64 seededEngine() {
  std::random_device device;
  std::array<std::uint32_t, 8> entropy{};
  std::generate(entropy.begin(), entropy.end(), std::ref(device));
  std::seed_seq seed(entropy.begin(), entropy.end());
  return std::mt19937_64(seed);
}

struct Generator {
  std::mutex mutex;
  std::mt19937_64 engine = seededEngine();
  Random::Source scripted;

  double scriptedUnit() {
    double u = scripted();
    // NaN, too, becomes 0: a broken script must not push a draw outside its interval.
    return u >= 0 ? std::min(u, 1.0) : 0.0;
  }
};

Generator& generator() {
  static Generator instance;
  return instance;
}

}  // namespace

double Random::uniform(double a, double b) {
  if (a > b) std::swap(a, b);
  auto& g = generator();
  std::lock_guard lock(g.mutex);
  double unit;
  if (g.scripted) {
    unit = g.scriptedUnit();
  } else {
    std::uniform_int_distribution<std::uint64_t> steps(0, kSteps);
    unit = static_cast<double>(steps(g.engine)) / static_cast<double>(kSteps);
  }
  // Plain a + (b - a) * unit misses b (or overshoots it) for about one pair of
  // bounds in twenty through rounding; lerp is exact at both ends, monotonic,
  // and cannot overflow on a wide interval.
  return std::lerp(a, b, unit);
}

std::int64_t Random::integer(std::int64_t lo, std::int64_t hi) {
  if (lo > hi) std::swap(lo, hi);
  auto& g = generator();
  std::lock_guard lock(g.mutex);
  if (!g.scripted) return std::uniform_int_distribution<std::int64_t>(lo, hi)(g.engine);

  // Unsigned arithmetic: the span of the full 64-bit range does not fit a signed number.
  auto span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo);
  double offset = std::floor(g.scriptedUnit() * (static_cast<double>(span) + 1.0));
  auto steps = offset >= static_cast<double>(span) ? span : static_cast<std::uint64_t>(offset);
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(lo) + steps);
}

void Random::setSource(Source source) {
  auto& g = generator();
  std::lock_guard lock(g.mutex);
  g.scripted = std::move(source);
}

}  // namespace foundation
