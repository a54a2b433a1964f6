#pragma once

#include <memory>

#include "platform/ui/Scene.h"

class SceneDelegate : public ui::WindowSceneDelegate {
 public:
  std::shared_ptr<ui::Window> window;

  // Rebuilds the current action for the new size on a later turn of the loop.
  void didUpdateCoordinateSpace(ui::WindowScene& scene) override;
};
