#include "shared/Helper.h"

#include "platform/foundation/Random.h"
#include "shared/App.h"

namespace {

constexpr double kMargin = 32;

// A draw across [r, extent - r]. A window too small to hold the dot has no such
// interval: the dot is then centred on that axis, with no draw, and the clamp
// that follows still applies.
double drawAlong(double extent, double r) {
  if (!(extent >= 2 * r)) return extent > 0 ? extent / 2 : 0;
  return foundation::Random::uniform(r, extent - r);
}

}  // namespace

foundation::Point Helper::randomDotCenter(double radius) {
  double x0 = drawAlong(App::windowWidth(), radius);
  double y0 = drawAlong(App::windowHeight(), radius);
  double w2 = App::windowWidth();
  double h2 = App::windowHeight();
  double top = App::safeAreaInsets.top;
  double bottom = App::safeAreaInsets.bottom;
  double x = x0 < kMargin ? kMargin : std::min(w2 - kMargin, x0);
  double y = y0 < kMargin + top ? kMargin + top : std::min(h2 - bottom - kMargin, y0);
  return {x, y};
}
