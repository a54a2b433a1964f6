#include "platform/ui/LayoutConstraint.h"

#include <algorithm>

#include "platform/ui/View.h"

namespace ui {

std::shared_ptr<LayoutConstraint> LayoutAnchor::constraintEqualTo(const LayoutAnchor& other,
                                                                  double constant) const {
  return std::make_shared<LayoutConstraint>(*this, other, constant);
}

void LayoutConstraint::setActive(bool active) {
  auto view = first_.view();
  auto other = second_.view();
  // Only an edge held to the same edge of the superview is understood here.
  if (!view || !other || view->superview() != other || first_.edge() != second_.edge()) return;
  if (active == active_) return;
  active_ = active;
  auto& list = view->constraints_;
  if (active) {
    list.push_back(shared_from_this());
  } else {
    std::erase_if(list, [this](const auto& c) { return c.get() == this; });
  }
  other->setNeedsLayout();
}

void LayoutConstraint::activate(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints) {
  for (const auto& c : constraints) {
    if (c) c->setActive(true);
  }
}

}  // namespace ui
