#include "actions/connect/ConnectActionViewController.h"

#include <cmath>

#include "actions/connect/ConnectBackgroundView.h"
#include "actions/connect/ConnectDotView.h"
#include "platform/foundation/Random.h"
#include "shared/Helper.h"

namespace {
constexpr double kRadius = 32;
constexpr double kSpacing = 68;
}  // namespace

void ConnectActionViewController::viewWillAppear(bool animated) {
  ActionViewController::viewWillAppear(animated);
  ui::removeAllSubviews(*view());
  centerPoints.clear();
  std::int64_t n = foundation::Random::integer(3, 5);
  for (std::int64_t i = 0; i <= n; ++i) {
    if (!placeDot()) break;
  }
  updateColors();
  beginningPointNumber = 0;
  endPointNumber = 1;
  connectPoint(3);
}

bool ConnectActionViewController::placeDot() {
  for (int attempt = 0; attempt < kMaxPlacementAttempts; ++attempt) {
    foundation::Point c = Helper::randomDotCenter(kRadius);
    bool crowded = false;
    for (const auto& p : centerPoints) {
      // Both axes must be too close: dots may share a row or a column.
      if (std::abs(c.x - p.x) < kSpacing && std::abs(c.y - p.y) < kSpacing) {
        crowded = true;
        break;
      }
    }
    if (crowded) continue;
    auto dot = foundation::create<ConnectDotView>(
        foundation::Rect{c.x - kRadius, c.y - kRadius, 2 * kRadius, 2 * kRadius});
    dot->dotNumber = static_cast<std::int64_t>(centerPoints.size());
    dot->representedObject = weakAs<ConnectActionViewController>();
    centerPoints.push_back(c);
    view()->addSubview(dot);
    return true;
  }
  return false;
}

void ConnectActionViewController::updateColors() {
  for (const auto& subview : view()->subviews()) {
    auto dot = std::dynamic_pointer_cast<ConnectDotView>(subview);
    if (!dot) continue;
    dot->connectDotColor = ruleColor();
    dot->dotColor = dot->connectDotColor;
    dot->setNeedsDisplay();
  }
}

bool ConnectActionViewController::isDotNumber(std::int64_t number) const {
  return number >= 0 && number < static_cast<std::int64_t>(centerPoints.size());
}

void ConnectActionViewController::connectPoint(std::int64_t number) {
  bool changes = number != beginningPointNumber && number != endPointNumber;
  beginningPointNumber = endPointNumber;
  endPointNumber = number;
  if (!changes) return;
  auto background = std::dynamic_pointer_cast<ConnectBackgroundView>(view());
  if (!background) return;
  if (isDotNumber(beginningPointNumber) && isDotNumber(endPointNumber)) {
    background->setLine(centerPoints[beginningPointNumber], centerPoints[endPointNumber]);
  } else {
    // A board cut short by a tiny window lacks the dot: no line at all,
    // rather than one left over from the previous board.
    background->setLine({}, {});
  }
}
