#pragma once

#include <memory>

#include "platform/foundation/Geometry.h"
#include "platform/graphics/Color.h"

class MasterViewController;

// What the whole program shares: the dot colours, the master screen, the
// safe-area insets and the window's size.
struct App {
  static graphics::Color baseColor();
  static graphics::Color highlightColor();
  // Kept for the life of the process once the master has loaded its view.
  static inline std::shared_ptr<MasterViewController> masterViewController;
  // Top and bottom of the window's safe area; left and right are always 0. A
  // desktop window has none, so all four stay 0 unless a test sets them.
  static inline foundation::EdgeInsets safeAreaInsets;

  static double windowWidth();
  static double windowHeight();

  // Tests start each case from the state of a fresh process.
  static void reset();
};
