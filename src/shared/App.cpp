#include "shared/App.h"

#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "stage/MasterViewController.h"

namespace {

// The bounds of the first window of the first connected scene, else the screen's.
foundation::Rect windowBounds() {
  const auto& scenes = ui::Application::shared()->connectedScenes();
  if (!scenes.empty()) {
    auto scene = std::dynamic_pointer_cast<ui::WindowScene>(scenes.front());
    if (scene && !scene->windows().empty()) return scene->windows().front()->bounds();
  }
  return ui::Screen::mainBounds();
}

}  // namespace

graphics::Color App::baseColor() {
  return graphics::Color::systemGray();
}
graphics::Color App::highlightColor() {
  return graphics::Color::systemGray2();
}

double App::windowWidth() {
  return windowBounds().width();
}
double App::windowHeight() {
  return windowBounds().height();
}

void App::reset() {
  masterViewController.reset();
  safeAreaInsets = {};
}
