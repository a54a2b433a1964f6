#include "platform/dynamics/Behavior.h"

#include <algorithm>

#include "platform/dynamics/DynamicAnimator.h"

namespace dynamics {

bool Behavior::containsItem(const ui::View& item) const {
  return std::any_of(items_.begin(), items_.end(),
                     [&](const auto& candidate) { return candidate.get() == &item; });
}

void Behavior::changed() {
  if (auto animator = animator_.lock()) animator->setNeedsUpdate();
}

}  // namespace dynamics
