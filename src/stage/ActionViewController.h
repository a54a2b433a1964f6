#pragma once

#include <string>

#include "platform/graphics/Color.h"
#include "platform/ui/ViewController.h"

// The base of every action screen: background, layout refresh, the random
// colour parameters, and the operations through which the master, the
// application delegate and the choices screen address whichever action is current.
class ActionViewController : public ui::ViewController {
 public:
  explicit ActionViewController(std::string nibName);

  double randomSaturation;
  double randomBrightness;

  virtual void prepareForRemoval() {}
  virtual void didEnterBackground() {}
  virtual void didBecomeActive() {}
  virtual void updateColors() {}
  void randomizeColors();

  // The colour rule: the base colour, or with random colours on a fresh random
  // hue at this screen's saturation and brightness.
  graphics::Color ruleColor() const;

  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewDidLayoutSubviews() override;
  void userInterfaceStyleDidChange() override;
};
