#include "platform/ui/Screen.h"

#include "platform/ui/Application.h"

namespace ui {

foundation::Rect Screen::mainBounds() {
  auto& backend = Application::shared()->backend();
  return backend ? backend->screenBounds() : foundation::Rect{};
}

double Screen::mainScale() {
  auto& backend = Application::shared()->backend();
  return backend ? backend->screenScale() : 1.0;
}

}  // namespace ui
