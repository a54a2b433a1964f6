#include "platform/sdl/WindowCanvas.h"

#include <algorithm>

namespace sdl {

std::vector<SDL_Rect> WindowCanvas::visibleRects(const std::vector<ui::PixelRect>& rects, int width,
                                                 int height) {
  std::vector<SDL_Rect> shown;
  for (const auto& r : rects) {
    int x0 = std::clamp(r.x, 0, width), y0 = std::clamp(r.y, 0, height);
    int x1 = std::clamp(r.x + r.width, 0, width), y1 = std::clamp(r.y + r.height, 0, height);
    if (x1 > x0 && y1 > y0) shown.push_back({x0, y0, x1 - x0, y1 - y0});
  }
  return shown;
}

}  // namespace sdl
