#pragma once

#include <memory>

#include "platform/ui/Application.h"

class AppDelegate : public ui::ApplicationDelegate {
 public:
  bool didFinishLaunching() override;
  void didEnterBackground() override;
  void didBecomeActive() override;
  ui::SceneConfiguration configurationForConnectingSceneSession(
      const ui::SceneSession& session) override;
  void buildMenu(ui::MenuBuilder& builder) override;
};
