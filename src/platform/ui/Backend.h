#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Geometry.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/WindowPeer.h"

namespace ui {

// The window system underneath: SDL for the real program, a headless one for tests.
class Backend {
 public:
  virtual ~Backend() = default;
  // Connects to the display; the reason when there is none.
  virtual std::optional<std::string> start() = 0;
  // A window; nullptr and the reason in `error` when it cannot be made.
  virtual std::shared_ptr<WindowPeer> createWindow(const std::string& title, foundation::Size size,
                                                   std::string& error) = 0;
  // How the main loop sleeps; nullptr when it should never wait (tests).
  virtual std::shared_ptr<foundation::EventSource> eventSource() = 0;
  virtual foundation::Rect screenBounds() const = 0;
  virtual double screenScale() const = 0;
  // Hands a URL to the desktop; false when that visibly failed.
  virtual bool openURL(const std::string& url) = 0;
  // Whether the desktop may blank the screen or lock it while nobody touches
  // the keyboard or mouse. Enabled until told otherwise.
  virtual void setScreenSaverEnabled(bool enabled) { (void)enabled; }
};

}  // namespace ui
