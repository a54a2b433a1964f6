#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Geometry.h"
#include "platform/graphics/Appearance.h"
#include "platform/ui/Backend.h"
#include "platform/ui/LayoutDirection.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Responder.h"
#include "platform/ui/Scene.h"

namespace ui {

class Window;

class ApplicationDelegate : public Responder {
 public:
  virtual bool didFinishLaunching() { return true; }
  virtual void willResignActive() {}
  virtual void didEnterBackground() {}
  virtual void willEnterForeground() {}
  virtual void didBecomeActive() {}
  virtual void willTerminate() {}
  // Somebody outside asked the program to quit (the window's close button, the
  // desktop's shortcut for it); false keeps it running.
  virtual bool shouldTerminate() { return true; }
  virtual SceneConfiguration configurationForConnectingSceneSession(const SceneSession& session) {
    return {"Default Configuration", session.role};
  }
  virtual void buildMenu(MenuBuilder& builder) { (void)builder; }
};

// The process's application object: delegate, scenes, main menu, and the place
// the backend's input and lifecycle events arrive.
class Application : public Responder {
 public:
  static std::shared_ptr<Application> shared();
  static void reset();  // tests: a fresh application

  // What the application names at launch: its window's title (and the main
  // menu's), and the window's size in points.
  struct Options {
    std::string title;
    foundation::Size windowSize;
  };

  // Launches up to the first frame; the reason when it cannot.
  std::optional<std::string> launch(std::shared_ptr<ApplicationDelegate> delegate,
                                    std::shared_ptr<Backend> backend, Options options);
  void run();
  // After run() has returned, for an orderly exit: shuts the main loop down
  // (see RunLoop::shutDown), then lets go of the scenes, their windows and
  // every screen in them, the delegate and the backend, while the process's
  // statics still stand. Whatever the screens post on their way out is dropped.
  void tearDown();
  // A PNG the window shows as its icon from launch on; none when unreadable.
  void setIconPath(std::string path) { iconPath_ = std::move(path); }
  void terminate();
  // A quit asked for from outside: terminates unless the delegate declines.
  void requestTermination();

  // While disabled, the desktop's screen saver stays off (see
  // Backend::setScreenSaverEnabled); enabled at launch.
  bool isIdleTimerDisabled() const { return idleTimerDisabled_; }
  void setIdleTimerDisabled(bool disabled);

  const std::shared_ptr<ApplicationDelegate>& delegate() const { return delegate_; }
  const std::vector<std::shared_ptr<Scene>>& connectedScenes() const { return scenes_; }
  std::shared_ptr<Window> keyWindow() const;
  const std::shared_ptr<Menu>& mainMenu() const { return mainMenu_; }
  const std::shared_ptr<Backend>& backend() const { return backend_; }
  // The direction the whole interface is laid out in: right to left when the
  // language its text is shown in is written so (the language of the
  // catalogue in use, not the user's settings alone), unless one was set.
  UserInterfaceLayoutDirection userInterfaceLayoutDirection() const;
  // Sets the direction for every view laid out or drawn from now on (tests);
  // none gives it back to the language.
  void setUserInterfaceLayoutDirection(std::optional<UserInterfaceLayoutDirection> direction) {
    direction_ = direction;
  }

  // The light or dark appearance every system colour resolves against. A
  // change redraws every window's views, which take their colours again.
  graphics::Appearance::Style userInterfaceStyle() const;
  void setUserInterfaceStyle(graphics::Appearance::Style style);

  // Sends an action message up the responder chain from the key window's top
  // controller; true when somebody handled it.
  bool sendAction(const std::string& action, const std::shared_ptr<foundation::Object>& sender);
  bool performKeyCommand(const KeyEvent& event);
  void openURL(const std::string& url, std::function<void(bool)> completion = nullptr);

  // Lifecycle from the backend.
  void windowDidResize();
  void setActive(bool active);
  void setVisible(bool visible);

  std::shared_ptr<Responder> nextResponder() const override { return delegate_; }

 private:
  std::shared_ptr<ApplicationDelegate> delegate_;
  std::shared_ptr<Backend> backend_;
  std::vector<std::shared_ptr<Scene>> scenes_;
  std::shared_ptr<Menu> mainMenu_;
  std::string iconPath_;
  bool active_ = false;
  bool visible_ = true;
  bool idleTimerDisabled_ = false;
  std::optional<UserInterfaceLayoutDirection> direction_;
};

}  // namespace ui
