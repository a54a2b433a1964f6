#include "platform/graphics/Appearance.h"

#include <atomic>

namespace graphics {

namespace {
std::atomic<Appearance::Style> currentStyle{Appearance::Style::Light};
}

Appearance::Style Appearance::current() {
  return currentStyle.load(std::memory_order_relaxed);
}

void Appearance::setCurrent(Style style) {
  currentStyle.store(style, std::memory_order_relaxed);
}

}  // namespace graphics
