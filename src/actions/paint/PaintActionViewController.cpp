#include "actions/paint/PaintActionViewController.h"

#include "actions/paint/PaintBackgroundView.h"
#include "actions/paint/PaintShape.h"

void PaintActionViewController::viewDidLoad() {
  ActionViewController::viewDidLoad();
  if (auto paint = std::dynamic_pointer_cast<PaintBackgroundView>(view())) {
    paint->representedObject = weakAs<PaintActionViewController>();
  }
}

void PaintActionViewController::viewWillAppear(bool animated) {
  ActionViewController::viewWillAppear(animated);
  if (auto paint = std::dynamic_pointer_cast<PaintBackgroundView>(view())) {
    paint->prepareShape(randomPaintShape());
  }
  updateColors();
}

void PaintActionViewController::updateColors() {
  if (auto paint = std::dynamic_pointer_cast<PaintBackgroundView>(view())) {
    paint->paintColor = ruleColor();
  }
  view()->setNeedsDisplay();
}
