#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/Backend.h"

namespace sdl {

class SdlEventSource;
class SdlVideo;
class SdlWindowPeer;

// The real window system: SDL's video subsystem, one resizable window, and
// SDL's event queue as the place the main loop sleeps.
class SdlBackend : public ui::Backend {
 public:
  // The window never shrinks below minimumWindowSize, in points: the least the
  // application's screens are laid out for (none when empty), unless the
  // screen itself is smaller.
  explicit SdlBackend(foundation::Size minimumWindowSize = {});
  ~SdlBackend() override;

  std::optional<std::string> start() override;
  // Sized in points and shrunk to fit the usable area of the display; never
  // smaller than the minimum window size, and never larger than that area.
  std::shared_ptr<ui::WindowPeer> createWindow(const std::string& title, foundation::Size size,
                                               std::string& error) override;
  std::shared_ptr<foundation::EventSource> eventSource() override;
  // The usable area of the window's display (the first display before there
  // is a window), in points.
  foundation::Rect screenBounds() const override;
  // Known once a window exists; 1 before.
  double screenScale() const override { return scale_; }
  // SDL reports success even when no opener is installed: false only when SDL
  // itself could not try.
  bool openURL(const std::string& url) override;
  void setScreenSaverEnabled(bool enabled) override;

 private:
  std::shared_ptr<SdlVideo> video_;
  std::shared_ptr<SdlEventSource> events_;
  std::weak_ptr<SdlWindowPeer> window_;
  const foundation::Size minimumWindowSize_;
  double scale_ = 1;
  double unitsPerPoint_ = 1;
};

}  // namespace sdl
