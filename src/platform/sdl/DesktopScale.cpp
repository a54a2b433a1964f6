#include "platform/sdl/DesktopScale.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xresource.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <type_traits>

namespace sdl {

namespace {

constexpr double kReferenceDpi = 96;
constexpr double kMinScale = 1;
constexpr double kMaxScale = 4;

struct DatabaseRelease {
  void operator()(XrmDatabase db) const { XrmDestroyDatabase(db); }
};
using DatabasePtr = std::unique_ptr<std::remove_pointer_t<XrmDatabase>, DatabaseRelease>;

std::optional<double> positiveNumber(const char* text) {
  if (!text) return std::nullopt;
  char* end = nullptr;
  double value = std::strtod(text, &end);
  if (end == text || !std::isfinite(value) || value <= 0) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> scaleFromXResources(const char* resources) {
  if (!resources) return std::nullopt;
  XrmInitialize();
  DatabasePtr db(XrmGetStringDatabase(resources));
  if (!db) return std::nullopt;
  char* type = nullptr;
  XrmValue value{};
  if (!XrmGetResource(db.get(), "Xft.dpi", "Xft.Dpi", &type, &value) || !value.addr) {
    return std::nullopt;
  }
  auto dpi = positiveNumber(value.addr);
  if (!dpi) return std::nullopt;
  return *dpi / kReferenceDpi;
}

std::optional<double> scaleFromGdkScale(const char* value) {
  return positiveNumber(value);
}

double clampScale(double scale) {
  if (!std::isfinite(scale)) return kMinScale;
  return std::clamp(scale, kMinScale, kMaxScale);
}

std::optional<double> x11DesktopScale(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
    return std::nullopt;
  }
  auto scale = scaleFromXResources(XResourceManagerString(info.info.x11.display));
  if (!scale) scale = scaleFromGdkScale(std::getenv("GDK_SCALE"));
  return clampScale(scale.value_or(1));
}

}  // namespace sdl
