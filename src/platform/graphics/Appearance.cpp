#include "platform/graphics/Appearance.h"

#include <atomic>

namespace graphics {

namespace {
std::atomic<Appearance::Style> currentStyle{Appearance::Style::Light};
thread_local Appearance::Level currentLevelOnThread = Appearance::Level::Base;
}  // namespace

Appearance::Style Appearance::current() {
  return currentStyle.load(std::memory_order_relaxed);
}

void Appearance::setCurrent(Style style) {
  currentStyle.store(style, std::memory_order_relaxed);
}

Appearance::Level Appearance::currentLevel() {
  return currentLevelOnThread;
}

void Appearance::performAtLevel(Level level, const std::function<void()>& body) {
  // Put back even when the body leaves early, so no later colour resolves
  // at a level nobody asked for.
  struct Restore {
    Level previous;
    ~Restore() { currentLevelOnThread = previous; }
  } restore{currentLevelOnThread};
  currentLevelOnThread = level;
  body();
}

}  // namespace graphics
