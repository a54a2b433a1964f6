#include "stage/ActionViewController.h"

#include "platform/foundation/Random.h"
#include "settings/Defaults.h"
#include "shared/App.h"

using foundation::Random;

ActionViewController::ActionViewController(std::string nibName)
    : ui::ViewController(std::move(nibName)),
      randomSaturation(Random::uniform(0, 1)),
      randomBrightness(Random::uniform(0, 1)) {}

void ActionViewController::randomizeColors() {
  double s = Random::uniform(0, 1);
  if (s < 0.4) s = s + 0.4;
  if (s > 0.94) s = s - 0.06;
  randomSaturation = s;
  double b = Random::uniform(0, 1);
  if (b < 0.3) b = b + 0.3;
  randomBrightness = b;
}

graphics::Color ActionViewController::ruleColor() const {
  if (!Defaults::randomColors()) return App::baseColor();
  return graphics::Color::fromHSB(Random::uniform(0, 1), randomSaturation, randomBrightness, 1.0);
}

void ActionViewController::viewDidLoad() {
  ui::ViewController::viewDidLoad();
  view()->setBackgroundColor(graphics::Color::systemBackground());
  randomizeColors();
}

void ActionViewController::userInterfaceStyleDidChange() {
  // The dots and the picture stay as they are; only the system colours change.
  view()->setBackgroundColor(graphics::Color::systemBackground());
}

void ActionViewController::viewWillAppear(bool animated) {
  ui::ViewController::viewWillAppear(animated);
  if (Defaults::randomColors()) randomizeColors();
}

void ActionViewController::viewDidLayoutSubviews() {
  ui::ViewController::viewDidLayoutSubviews();
  view()->setNeedsDisplay();
  view()->updateConstraints();
}
