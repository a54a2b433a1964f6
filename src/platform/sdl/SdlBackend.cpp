#include "platform/sdl/SdlBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/foundation/RunLoop.h"
#include "platform/motion/SensorDiscovery.h"
#include "platform/sdl/DesktopScale.h"
#include "platform/sdl/SdlControllerSensors.h"
#include "platform/sdl/SdlEventSource.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/SdlWindowPeer.h"

namespace sdl {

namespace {

constexpr int kFallbackRefreshRate = 60;

// Far beyond any display; keeps a nonsensical request inside int.
constexpr double kMaxUnits = 1 << 15;

int units(double points, double unitsPerPoint) {
  double value = points * unitsPerPoint;
  if (!std::isfinite(value)) return 1;
  return static_cast<int>(std::lround(std::clamp(value, 1.0, kMaxUnits)));
}

}  // namespace

SdlBackend::SdlBackend(foundation::Size minimumWindowSize)
    : minimumWindowSize_(minimumWindowSize) {}
SdlBackend::~SdlBackend() = default;

std::optional<std::string> SdlBackend::start() {
  if (video_) return std::nullopt;
  std::string error;
  auto video = SdlVideo::start(error);
  if (!video) return error;
  video_ = std::move(video);
  events_ = std::make_shared<SdlEventSource>(video_);
  motion::SensorDiscovery::setControllerSensorsFactory(
      [] { return std::make_unique<SdlControllerSensors>(); });
  return std::nullopt;
}

std::shared_ptr<ui::WindowPeer> SdlBackend::createWindow(const std::string& title,
                                                         foundation::Size size,
                                                         std::string& error) {
  if (!video_) {
    error = "the display is not open";
    return nullptr;
  }
  // Hidden until it has its final size and its first picture: the desktop's
  // scale can only be read through a window, and the window should appear
  // once, at the right size, showing its content.
  Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_HIDDEN;
  SdlWindowPeer::WindowPtr window(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED,
                                                   SDL_WINDOWPOS_CENTERED, units(size.width, 1),
                                                   units(size.height, 1), flags));
  if (!window) {
    error = std::string("cannot create the window: ") + SDL_GetError();
    return nullptr;
  }
  auto desktopScale = x11DesktopScale(window.get());
  unitsPerPoint_ = desktopScale.value_or(1);
  int display = std::max(0, SDL_GetWindowDisplayIndex(window.get()));

  int width = units(size.width, unitsPerPoint_);
  int height = units(size.height, unitsPerPoint_);
  int minWidth = units(minimumWindowSize_.width, unitsPerPoint_);
  int minHeight = units(minimumWindowSize_.height, unitsPerPoint_);
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(display, &usable) == 0 && usable.w > 0 && usable.h > 0) {
    width = std::min(width, usable.w);
    height = std::min(height, usable.h);
    // A window larger than the screen hides part of the stage, and whatever
    // lands there out of reach; where the minimum does not fit, the screen wins.
    minWidth = std::min(minWidth, usable.w);
    minHeight = std::min(minHeight, usable.h);
  }
  if (minimumWindowSize_.width > 0 && minimumWindowSize_.height > 0) {
    SDL_SetWindowMinimumSize(window.get(), minWidth, minHeight);
  }
  SDL_SetWindowSize(window.get(), width, height);
  SDL_SetWindowPosition(window.get(), SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                        SDL_WINDOWPOS_CENTERED_DISPLAY(display));

  SDL_DisplayMode mode;
  int rate = SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0
                 ? mode.refresh_rate
                 : kFallbackRefreshRate;
  foundation::RunLoop::main().setFrameInterval(1.0 / rate);

  auto peer = std::make_shared<SdlWindowPeer>(video_, std::move(window), desktopScale);
  if (!peer->canDraw()) {
    error = std::string("cannot draw in the window: ") + SDL_GetError();
    return nullptr;
  }
  scale_ = peer->scale();
  window_ = peer;
  events_->setWindow(peer);
  // Shown with its first frame (SdlWindowPeer::present), never blank.
  return peer;
}

std::shared_ptr<foundation::EventSource> SdlBackend::eventSource() {
  return events_;
}

foundation::Rect SdlBackend::screenBounds() const {
  if (!video_) return {};
  int display = 0;
  if (auto window = window_.lock()) {
    display = std::max(0, SDL_GetWindowDisplayIndex(window->sdlWindow()));
  }
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) return {};
  return {usable.x / unitsPerPoint_, usable.y / unitsPerPoint_, usable.w / unitsPerPoint_,
          usable.h / unitsPerPoint_};
}

bool SdlBackend::openURL(const std::string& url) {
  return SDL_OpenURL(url.c_str()) == 0;
}

void SdlBackend::setScreenSaverEnabled(bool enabled) {
  if (!video_) return;
  if (enabled) {
    SDL_EnableScreenSaver();
  } else {
    SDL_DisableScreenSaver();
  }
}

}  // namespace sdl
