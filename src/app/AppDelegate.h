#pragma once

#include <memory>

#include "app/FullScreenLock.h"
#include "platform/ui/Application.h"

class AppDelegate : public ui::ApplicationDelegate {
 public:
  bool didFinishLaunching() override;
  void didEnterBackground() override;
  void willResignActive() override;
  void didBecomeActive() override;
  // Declined while the window is locked full screen.
  bool shouldTerminate() override;
  ui::SceneConfiguration configurationForConnectingSceneSession(
      const ui::SceneSession& session) override;
  void buildMenu(ui::MenuBuilder& builder) override;
  // "toggleFullScreen:" (F11), the last stop of the responder chain.
  bool performAction(const std::string& action,
                     const std::shared_ptr<foundation::Object>& sender) override;

  FullScreenLock fullScreenLock;
};
