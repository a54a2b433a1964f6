#include "platform/sdl/EventTranslator.h"

#include <cctype>
#include <string>

namespace sdl {

using foundation::Point;

namespace {

// The mouse is touch 0; fingers count from 1 so that the two never meet.
constexpr std::int64_t kMouseTouchId = 0;

Point windowPoint(double x, double y, const WindowGeometry& window) {
  double units = window.unitsPerPoint > 0 ? window.unitsPerPoint : 1;
  return {x / units, y / units};
}

unsigned modifiers(Uint16 mod) {
  unsigned flags = 0;
  if (mod & KMOD_SHIFT) flags |= ui::Modifier::Shift;
  if (mod & KMOD_ALT) flags |= ui::Modifier::Alternate;
#ifdef __APPLE__
  if (mod & KMOD_CTRL) flags |= ui::Modifier::Control;
  if (mod & KMOD_GUI) flags |= ui::Modifier::Command;
#else
  // Control is the command key on this desktop: Ctrl+L is what Command-L is on a Mac.
  if (mod & KMOD_CTRL) flags |= ui::Modifier::Control | ui::Modifier::Command;
#endif
  return flags;
}

bool isModifierKey(SDL_Keycode sym) {
  switch (sym) {
    case SDLK_LCTRL:
    case SDLK_RCTRL:
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
    case SDLK_LALT:
    case SDLK_RALT:
    case SDLK_LGUI:
    case SDLK_RGUI:
    case SDLK_MODE:
    case SDLK_CAPSLOCK:
      return true;
    default:
      return false;
  }
}

std::optional<char> keypadDigit(SDL_Keycode sym) {
  if (sym == SDLK_KP_0) return '0';
  if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return static_cast<char>('1' + (sym - SDLK_KP_1));
  return std::nullopt;
}

std::optional<InputEvent> keyEvent(const SDL_KeyboardEvent& event) {
  SDL_Keycode sym = event.keysym.sym;
  if (isModifierKey(sym)) return std::nullopt;
  ui::KeyEvent key;
  key.modifiers = modifiers(event.keysym.mod);
  key.repeat = event.repeat != 0;
  switch (sym) {
    case SDLK_UP:
      key.key = ui::Key::Up;
      break;
    case SDLK_DOWN:
      key.key = ui::Key::Down;
      break;
    case SDLK_LEFT:
      key.key = ui::Key::Left;
      break;
    case SDLK_RIGHT:
      key.key = ui::Key::Right;
      break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      key.key = ui::Key::Return;
      break;
    case SDLK_SPACE:
      key.key = ui::Key::Space;
      break;
    case SDLK_ESCAPE:
      key.key = ui::Key::Escape;
      break;
    case SDLK_TAB:
      key.key = ui::Key::Tab;
      break;
    case SDLK_F11:
      key.key = ui::Key::F11;
      break;
    default:
      // SDL names a printable key by the character the layout puts on it, so
      // Ctrl+L is found by its letter whatever the layout, and Shift is a
      // modifier rather than a different character.
      if (sym > ' ' && sym < 0x7f) {
        key.key = ui::Key::Character;
        key.input = std::string(1, static_cast<char>(std::tolower(static_cast<int>(sym))));
      } else if (auto digit = keypadDigit(sym)) {
        key.key = ui::Key::Character;
        key.input = std::string(1, *digit);
      }
      break;
  }
  return key;
}

std::optional<InputEvent> windowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    // SDL follows every resize, whoever made it, with SIZE_CHANGED; reacting to
    // RESIZED as well would rebuild the screen twice for one drag.
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      return WindowResized{};
    case SDL_WINDOWEVENT_EXPOSED:
      return WindowExposed{};
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      return FocusGained{};
    case SDL_WINDOWEVENT_FOCUS_LOST:
      return FocusLost{};
    case SDL_WINDOWEVENT_MINIMIZED:
      return WindowMinimized{};
    case SDL_WINDOWEVENT_RESTORED:
      return WindowRestored{};
    // SDL would follow the close of its last window with SDL_QUIT, which is
    // also what a signal becomes; SdlVideo turns that off so the two differ.
    case SDL_WINDOWEVENT_CLOSE:
      return CloseRequested{};
    case SDL_WINDOWEVENT_LEAVE:
      return ui::PointerEvent{{}, false};
    default:
      return std::nullopt;
  }
}

ui::TouchEvent fingerEvent(const SDL_TouchFingerEvent& event, ui::TouchPhase phase,
                           const WindowGeometry& window, double timestamp) {
  // Finger ids are small non-negative numbers in practice; a negative one keeps
  // its value, which still cannot be the mouse's 0.
  std::int64_t id = event.fingerId < 0 ? event.fingerId : event.fingerId + 1;
  Point location{event.x * window.size.width, event.y * window.size.height};
  return {id, phase, location, timestamp};
}

}  // namespace

std::optional<InputEvent> translate(const SDL_Event& event, const WindowGeometry& geometry,
                                    double timestamp) {
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const auto& b = event.button;
      if (b.which == SDL_TOUCH_MOUSEID || b.button != SDL_BUTTON_LEFT) return std::nullopt;
      auto phase =
          event.type == SDL_MOUSEBUTTONDOWN ? ui::TouchPhase::Began : ui::TouchPhase::Ended;
      return ui::TouchEvent{kMouseTouchId, phase, windowPoint(b.x, b.y, geometry), timestamp};
    }
    case SDL_MOUSEMOTION: {
      const auto& m = event.motion;
      if (m.which == SDL_TOUCH_MOUSEID) return std::nullopt;
      Point location = windowPoint(m.x, m.y, geometry);
      if (m.state & SDL_BUTTON_LMASK) {
        return ui::TouchEvent{kMouseTouchId, ui::TouchPhase::Moved, location, timestamp};
      }
      return ui::PointerEvent{location, true};
    }
    case SDL_FINGERDOWN:
      return fingerEvent(event.tfinger, ui::TouchPhase::Began, geometry, timestamp);
    case SDL_FINGERMOTION:
      return fingerEvent(event.tfinger, ui::TouchPhase::Moved, geometry, timestamp);
    case SDL_FINGERUP:
      return fingerEvent(event.tfinger, ui::TouchPhase::Ended, geometry, timestamp);
    case SDL_KEYDOWN:
      return keyEvent(event.key);
    case SDL_WINDOWEVENT:
      return windowEvent(event.window);
    case SDL_QUIT:
      return QuitRequested{};
    default:
      return std::nullopt;
  }
}

}  // namespace sdl
