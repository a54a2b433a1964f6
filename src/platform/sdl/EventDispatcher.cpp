#include "platform/sdl/EventDispatcher.h"

#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

namespace sdl {

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

void dispatch(const InputEvent& event, ui::Application& app) {
  // The event may close the window or end the application: hold the window for
  // the length of the call.
  auto window = app.keyWindow();
  std::visit(Overloaded{
                 [&](const ui::TouchEvent& e) {
                   if (window) window->sendTouch(e);
                 },
                 [&](const ui::PointerEvent& e) {
                   if (window) window->sendPointer(e);
                 },
                 [&](const ui::KeyEvent& e) {
                   if (window) window->sendKey(e);
                 },
                 [&](const QuitRequested&) { app.terminate(); },
                 [&](const CloseRequested&) { app.requestTermination(); },
                 [&](const WindowResized&) { app.windowDidResize(); },
                 [&](const WindowExposed&) {
                   if (window) window->invalidateAll();
                 },
                 [&](const FocusGained&) { app.setActive(true); },
                 [&](const FocusLost&) { app.setActive(false); },
                 [&](const WindowMinimized&) { app.setVisible(false); },
                 [&](const WindowRestored&) { app.setVisible(true); },
             },
             event);
}

}  // namespace sdl
