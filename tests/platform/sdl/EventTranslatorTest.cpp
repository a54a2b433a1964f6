#include <gtest/gtest.h>

#include "platform/sdl/EventTranslator.h"

using foundation::Point;
using sdl::InputEvent;
using sdl::translate;
using sdl::WindowGeometry;

namespace {

// A window of 400x300 points shown at 2 pixels per point, as on X11 at 192 dpi.
const WindowGeometry kRetina{{400, 300}, 2};
constexpr double kNow = 12.5;

SDL_Event button(Uint32 type, Uint8 which, int x, int y, Uint32 mouse = 0) {
  SDL_Event e{};
  e.type = type;
  e.button.button = which;
  e.button.x = x;
  e.button.y = y;
  e.button.which = mouse;
  return e;
}

SDL_Event motion(int x, int y, Uint32 state, Uint32 mouse = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = state;
  e.motion.which = mouse;
  return e;
}

SDL_Event finger(Uint32 type, SDL_FingerID id, float x, float y) {
  SDL_Event e{};
  e.type = type;
  e.tfinger.fingerId = id;
  e.tfinger.x = x;
  e.tfinger.y = y;
  return e;
}

SDL_Event keyDown(SDL_Keycode sym, Uint16 mod = KMOD_NONE, bool repeat = false) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = sym;
  e.key.keysym.mod = mod;
  e.key.repeat = repeat ? 1 : 0;
  return e;
}

SDL_Event windowEvent(Uint8 which) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = which;
  return e;
}

ui::TouchEvent touchOf(const std::optional<InputEvent>& event) {
  if (!event || !std::holds_alternative<ui::TouchEvent>(*event)) {
    ADD_FAILURE() << "not a touch";
    ui::TouchEvent none;
    none.id = -99;
    return none;
  }
  return std::get<ui::TouchEvent>(*event);
}

ui::KeyEvent keyOf(const std::optional<InputEvent>& event) {
  if (!event || !std::holds_alternative<ui::KeyEvent>(*event)) {
    ADD_FAILURE() << "not a key";
    return {};
  }
  return std::get<ui::KeyEvent>(*event);
}

TEST(EventTranslator, TheLeftMouseButtonIsTouchZeroInWindowPointsFromDownToUp) {
  auto down =
      touchOf(translate(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 200, 100), kRetina, kNow));
  EXPECT_EQ(down.id, 0);
  EXPECT_EQ(down.phase, ui::TouchPhase::Began);
  EXPECT_EQ(down.location, (Point{100, 50}));
  EXPECT_EQ(down.timestamp, kNow);

  auto moved = touchOf(translate(motion(300, 150, SDL_BUTTON_LMASK), kRetina, kNow + 1));
  EXPECT_EQ(moved.id, 0);
  EXPECT_EQ(moved.phase, ui::TouchPhase::Moved);
  EXPECT_EQ(moved.location, (Point{150, 75}));
  EXPECT_EQ(moved.timestamp, kNow + 1);

  auto up = touchOf(translate(button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 301, 151), kRetina, kNow));
  EXPECT_EQ(up.phase, ui::TouchPhase::Ended);
  EXPECT_EQ(up.location, (Point{150.5, 75.5}));
}

TEST(EventTranslator, OtherButtonsAndSdlsTouchImitatingMouseEventsAreIgnored) {
  EXPECT_FALSE(translate(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 10), kRetina, kNow));
  EXPECT_FALSE(translate(button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 10, 10), kRetina, kNow));
  // The copy SDL makes of a finger must not become a second touch.
  EXPECT_FALSE(translate(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 10, SDL_TOUCH_MOUSEID),
                         kRetina, kNow));
  EXPECT_FALSE(translate(motion(10, 10, SDL_BUTTON_LMASK, SDL_TOUCH_MOUSEID), kRetina, kNow));
  EXPECT_FALSE(translate(motion(10, 10, 0, SDL_TOUCH_MOUSEID), kRetina, kNow));
}

TEST(EventTranslator, AMouseWithNoButtonHoversAndLeavingTheWindowEndsTheHover) {
  auto hover = translate(motion(64, 32, 0), kRetina, kNow);
  ASSERT_TRUE(hover && std::holds_alternative<ui::PointerEvent>(*hover));
  EXPECT_EQ(std::get<ui::PointerEvent>(*hover).location, (Point{32, 16}));
  EXPECT_TRUE(std::get<ui::PointerEvent>(*hover).inside);

  // Only the right button held: still a hover, not a drag.
  auto rightDrag = translate(motion(64, 32, SDL_BUTTON_RMASK), kRetina, kNow);
  EXPECT_TRUE(rightDrag && std::holds_alternative<ui::PointerEvent>(*rightDrag));

  auto left = translate(windowEvent(SDL_WINDOWEVENT_LEAVE), kRetina, kNow);
  ASSERT_TRUE(left && std::holds_alternative<ui::PointerEvent>(*left));
  EXPECT_FALSE(std::get<ui::PointerEvent>(*left).inside);
}

TEST(EventTranslator, FingersLandInWindowPointsWithIdsThatNeverMeetTheMouse) {
  auto down = touchOf(translate(finger(SDL_FINGERDOWN, 0, 0.5f, 0.25f), kRetina, kNow));
  EXPECT_EQ(down.id, 1) << "finger 0 must not be taken for the mouse";
  EXPECT_EQ(down.phase, ui::TouchPhase::Began);
  EXPECT_EQ(down.location, (Point{200, 75})) << "normalised over the window's points, not pixels";
  EXPECT_EQ(down.timestamp, kNow);

  auto second = touchOf(translate(finger(SDL_FINGERMOTION, 3, 1.0f, 1.0f), kRetina, kNow));
  EXPECT_EQ(second.id, 4);
  EXPECT_EQ(second.phase, ui::TouchPhase::Moved);
  EXPECT_EQ(second.location, (Point{400, 300}));

  auto up = touchOf(translate(finger(SDL_FINGERUP, 0, 0.0f, 0.0f), kRetina, kNow));
  EXPECT_EQ(up.id, 1);
  EXPECT_EQ(up.phase, ui::TouchPhase::Ended);

  EXPECT_NE(touchOf(translate(finger(SDL_FINGERDOWN, -1, 0, 0), kRetina, kNow)).id, 0);
}

TEST(EventTranslator, ControlLIsTheCommandKeyWithALowerCaseL) {
  auto key = keyOf(translate(keyDown(SDLK_l, KMOD_LCTRL), kRetina, kNow));
  EXPECT_EQ(key.key, ui::Key::Character);
  EXPECT_EQ(key.input, "l");
#ifndef __APPLE__
  EXPECT_EQ(key.modifiers, ui::Modifier::Control | ui::Modifier::Command);
#endif
  EXPECT_FALSE(key.repeat);

  auto shifted = keyOf(translate(keyDown(SDLK_l, KMOD_RCTRL | KMOD_LSHIFT, true), kRetina, kNow));
  EXPECT_EQ(shifted.input, "l") << "Shift is a modifier, not another character";
  EXPECT_TRUE(shifted.modifiers & ui::Modifier::Shift);
  EXPECT_TRUE(shifted.modifiers & ui::Modifier::Command);
  EXPECT_TRUE(shifted.repeat);

  auto alt = keyOf(translate(keyDown(SDLK_7, KMOD_RALT), kRetina, kNow));
  EXPECT_EQ(alt.input, "7");
  EXPECT_EQ(alt.modifiers, ui::Modifier::Alternate);

  EXPECT_EQ(keyOf(translate(keyDown(SDLK_KP_5), kRetina, kNow)).input, "5");
  EXPECT_EQ(keyOf(translate(keyDown(SDLK_KP_0), kRetina, kNow)).input, "0");
}

TEST(EventTranslator, NamedKeysAndKeysWithNoMeaningHere) {
  const std::pair<SDL_Keycode, ui::Key> named[] = {
      {SDLK_UP, ui::Key::Up},         {SDLK_DOWN, ui::Key::Down},
      {SDLK_LEFT, ui::Key::Left},     {SDLK_RIGHT, ui::Key::Right},
      {SDLK_RETURN, ui::Key::Return}, {SDLK_KP_ENTER, ui::Key::Return},
      {SDLK_SPACE, ui::Key::Space},   {SDLK_ESCAPE, ui::Key::Escape},
      {SDLK_TAB, ui::Key::Tab},       {SDLK_F1, ui::Key::Other},
      {SDLK_F11, ui::Key::F11},       {SDLK_F12, ui::Key::Other},
  };
  for (auto [sym, expected] : named) {
    auto key = keyOf(translate(keyDown(sym), kRetina, kNow));
    EXPECT_EQ(key.key, expected) << SDL_GetKeyName(sym);
    EXPECT_TRUE(key.input.empty()) << SDL_GetKeyName(sym);
  }
  // A modifier pressed on its own, and any key let go, mean nothing.
  EXPECT_FALSE(translate(keyDown(SDLK_LCTRL, KMOD_LCTRL), kRetina, kNow));
  EXPECT_FALSE(translate(keyDown(SDLK_RSHIFT, KMOD_RSHIFT), kRetina, kNow));
  SDL_Event release = keyDown(SDLK_ESCAPE);
  release.type = SDL_KEYUP;
  EXPECT_FALSE(translate(release, kRetina, kNow));
}

TEST(EventTranslator, WindowAndApplicationEventsBecomeLifecycleEvents) {
  auto is = [](Uint8 which, auto expected) {
    auto event = translate(windowEvent(which), kRetina, kNow);
    return event && std::holds_alternative<decltype(expected)>(*event);
  };
  EXPECT_TRUE(is(SDL_WINDOWEVENT_SIZE_CHANGED, sdl::WindowResized{}));
  EXPECT_TRUE(is(SDL_WINDOWEVENT_EXPOSED, sdl::WindowExposed{}));
  EXPECT_TRUE(is(SDL_WINDOWEVENT_FOCUS_GAINED, sdl::FocusGained{}));
  EXPECT_TRUE(is(SDL_WINDOWEVENT_FOCUS_LOST, sdl::FocusLost{}));
  EXPECT_TRUE(is(SDL_WINDOWEVENT_MINIMIZED, sdl::WindowMinimized{}));
  EXPECT_TRUE(is(SDL_WINDOWEVENT_RESTORED, sdl::WindowRestored{}));
  // SDL reports a user's resize as RESIZED and then SIZE_CHANGED: one is enough.
  EXPECT_FALSE(translate(windowEvent(SDL_WINDOWEVENT_RESIZED), kRetina, kNow));
  EXPECT_FALSE(translate(windowEvent(SDL_WINDOWEVENT_MOVED), kRetina, kNow));

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  auto event = translate(quit, kRetina, kNow);
  EXPECT_TRUE(event && std::holds_alternative<sdl::QuitRequested>(*event));
  // Closing the window is not a signal: the application may decline it.
  EXPECT_TRUE(is(SDL_WINDOWEVENT_CLOSE, sdl::CloseRequested{}));
}

}  // namespace
