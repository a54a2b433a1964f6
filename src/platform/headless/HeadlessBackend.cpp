#include "platform/headless/HeadlessBackend.h"

#include <cmath>

#include "platform/ui/Application.h"

namespace headless {

std::optional<std::string> HeadlessBackend::start() {
  if (startFailure_) return startFailure_;
  started_ = true;
  return std::nullopt;
}

std::shared_ptr<ui::WindowPeer> HeadlessBackend::createWindow(const std::string& title,
                                                              foundation::Size size,
                                                              std::string& error) {
  if (windowFailure_) {
    error = *windowFailure_;
    return nullptr;
  }
  auto peer = std::make_shared<HeadlessWindowPeer>(size, screenScale_);
  peer->setTitle(title);
  peer->setScreenSize(screenBounds_.size);
  peer->setResizeHandler([] { ui::Application::shared()->windowDidResize(); });
  window_ = peer;
  return peer;
}

void HeadlessBackend::setScreenSaverEnabled(bool enabled) {
  screenSaverEnabled_ = enabled;
}

bool HeadlessBackend::openURL(const std::string& url) {
  openedURLs_.push_back(url);
  return openURLResult_;
}

void HeadlessBackend::setScreenBounds(foundation::Rect bounds) {
  screenBounds_ = bounds;
  if (auto peer = window()) peer->setScreenSize(bounds.size);
}

void HeadlessBackend::setScreenScale(double scale) {
  if (std::isfinite(scale) && scale > 0) screenScale_ = scale;
}

void HeadlessBackend::resizeWindow(foundation::Size size) {
  auto peer = window();
  if (!peer) return;
  peer->resize(size);
  ui::Application::shared()->windowDidResize();
}

void HeadlessBackend::setWindowScale(double scale) {
  auto peer = window();
  if (!peer) return;
  peer->setScale(scale);
  ui::Application::shared()->windowDidResize();
}

}  // namespace headless
