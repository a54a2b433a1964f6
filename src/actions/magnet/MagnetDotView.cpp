#include "actions/magnet/MagnetDotView.h"

#include "actions/magnet/MagnetActionViewController.h"

namespace {

std::shared_ptr<MagnetActionViewController> screenOf(const DotView& dot) {
  return std::dynamic_pointer_cast<MagnetActionViewController>(dot.representedObject.lock());
}

}  // namespace

void MagnetDotView::touched() {
  if (auto screen = screenOf(*this)) screen->removeBehaviors();
}

void MagnetDotView::dragEnded(ui::PanGestureRecognizer& pan) {
  followDrag(pan);
  if (auto screen = screenOf(*this)) screen->addBehaviors();
}
