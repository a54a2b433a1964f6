#pragma once

#include <vector>

#include <cairo.h>

#include "platform/foundation/Geometry.h"
#include "platform/graphics/Image.h"

namespace ui {

class View;

// Paints a view tree into a cairo surface, only inside the damaged rectangles.
//
// Why cairo into the window's own surface rather than one SDL texture per layer:
// without a GPU, SDL's software renderer recomposites whole textures every frame
// (about 17 ms at 1920x1080 here), while painting only the damaged rectangles with
// cairo and handing just those to SDL_UpdateWindowSurfaceRects costs in proportion
// to what moved (microseconds for a dot) and keeps one window-sized buffer in memory.
class Compositor {
 public:
  // Damage in window points; returns the rectangles painted, in points.
  static std::vector<foundation::Rect> paint(View& root, cairo_surface_t* target, double scale,
                                             const std::vector<foundation::Rect>& damage);

  // The view's current appearance, background and subviews included, as an
  // opaque image of its bounds at `scale`: what the window would show of it,
  // with black wherever nothing covers it. nullptr when the view is empty or the
  // image cannot be made.
  static std::shared_ptr<graphics::Image> snapshot(View& view, double scale);
  // The same for `part` of the view (in its own coordinates) only, at the cost
  // of that part: the image's top-left corner is the part's.
  static std::shared_ptr<graphics::Image> snapshot(View& view, double scale, foundation::Rect part);

 private:
  static void paintView(View& view, cairo_t* cr, double scale, foundation::Point origin,
                        const foundation::Rect& clip);
  // The topmost view whose opaque background alone covers `clip`, or null.
  static const View* opaqueCover(const View& view, foundation::Point origin,
                                 const foundation::Rect& clip);
  // Paints only what lies above `cover`, from `cover` itself on.
  static void paintAbove(View& view, const View& cover, cairo_t* cr, double scale,
                         foundation::Point origin, const foundation::Rect& clip, bool& reached);
};

}  // namespace ui
