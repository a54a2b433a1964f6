#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/HeadlessWindowPeer.h"
#include "platform/ui/Backend.h"

namespace headless {

// The window system for headless tests: windows are images, there is no event
// source (tests drive the run loop's virtual clock and send input to the
// window themselves), and everything a test may want to arrange or observe —
// failures, the screen, opened URLs — is settable and recorded.
class HeadlessBackend : public ui::Backend {
 public:
  std::optional<std::string> start() override;
  std::shared_ptr<ui::WindowPeer> createWindow(const std::string& title, foundation::Size size,
                                               std::string& error) override;
  std::shared_ptr<foundation::EventSource> eventSource() override { return nullptr; }
  foundation::Rect screenBounds() const override { return screenBounds_; }
  double screenScale() const override { return screenScale_; }
  bool openURL(const std::string& url) override;
  void setScreenSaverEnabled(bool enabled) override;

  // Arranging.
  void failStart(std::string reason) { startFailure_ = std::move(reason); }
  void failCreateWindow(std::string reason) { windowFailure_ = std::move(reason); }
  // Also the screen a window made earlier covers when it goes full screen.
  void setScreenBounds(foundation::Rect bounds);
  // The scale of the screen and of windows made from now on; ignored unless positive.
  void setScreenScale(double scale);
  void setOpenURLResult(bool result) { openURLResult_ = result; }

  // Observing.
  bool isStarted() const { return started_; }
  const std::vector<std::string>& openedURLs() const { return openedURLs_; }
  bool isScreenSaverEnabled() const { return screenSaverEnabled_; }
  // The last window made, while somebody still holds it.
  std::shared_ptr<HeadlessWindowPeer> window() const { return window_.lock(); }

  // What the desktop does to the window, reported to the application as the
  // SDL backend would report it: the peer changes, then the application hears.
  void resizeWindow(foundation::Size size);
  void setWindowScale(double scale);

 private:
  std::optional<std::string> startFailure_;
  std::optional<std::string> windowFailure_;
  foundation::Rect screenBounds_{0, 0, 1920, 1080};
  double screenScale_ = 1;
  bool openURLResult_ = true;
  bool started_ = false;
  bool screenSaverEnabled_ = true;
  std::vector<std::string> openedURLs_;
  std::weak_ptr<HeadlessWindowPeer> window_;
};

}  // namespace headless
