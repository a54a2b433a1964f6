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
  return dragBounds({x0, y0});
}

foundation::Point Helper::dragBounds(foundation::Point wanted) {
  double w = App::windowWidth();
  double h = App::windowHeight();
  double top = App::safeAreaInsets.top;
  double bottom = App::safeAreaInsets.bottom;
  double x = wanted.x < kMargin ? kMargin : std::min(w - kMargin, wanted.x);
  double y = wanted.y < kMargin + top ? kMargin + top : std::min(h - bottom - kMargin, wanted.y);
  return {x, y};
}
