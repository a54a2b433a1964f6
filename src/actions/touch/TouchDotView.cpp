#include "actions/touch/TouchDotView.h"

#include "actions/touch/TouchActionViewController.h"
#include "platform/foundation/Random.h"
#include "settings/Defaults.h"
#include "shared/App.h"

void TouchDotView::didCreate() {
  DotView::didCreate();
  auto self = sharedAs<TouchDotView>();
  addTarget(self, &TouchDotView::highlight, ui::ControlEvent::TouchDown);
  addTarget(self, &TouchDotView::pressed, ui::ControlEvent::TouchUpInside);
  addTarget(self, &TouchDotView::reset,
            ui::ControlEvent::TouchUpOutside | ui::ControlEvent::TouchCancel);
}

void TouchDotView::highlight(const Sender&) {
  hold();
}

void TouchDotView::pressed(const Sender& sender) {
  if (auto screen =
          std::dynamic_pointer_cast<TouchActionViewController>(representedObject.lock())) {
    screen->relocateDot();
  }
  reset(sender);
}

void TouchDotView::reset(const Sender&) {
  auto screen = std::dynamic_pointer_cast<TouchActionViewController>(representedObject.lock());
  if (Defaults::randomColors() && screen) {
    release(graphics::Color::fromHSB(foundation::Random::uniform(0, 1), screen->randomSaturation,
                                     screen->randomBrightness, 1.0));
  } else {
    release(App::baseColor());
  }
}
