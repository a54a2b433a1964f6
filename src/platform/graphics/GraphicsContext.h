#pragma once

#include <cairo.h>

#include <functional>
#include <memory>

#include "platform/foundation/Geometry.h"
#include "platform/graphics/Color.h"

namespace graphics {

class Image;

// What views draw into: a cairo context whose user space is in points, plus
// the device scale its creator already applied as a cairo transform (2.0 on
// HiDPI). The wrapper owns neither the cairo_t nor its target.
//
// Each thread has a stack of current contexts; Color::setFill(),
// BezierPath::fill() and the rest draw into the top one.
class GraphicsContext {
 public:
  GraphicsContext(cairo_t* cr, double scale);
  GraphicsContext(const GraphicsContext&) = delete;
  GraphicsContext& operator=(const GraphicsContext&) = delete;

  cairo_t* cairo() const { return cr_; }
  double scale() const { return scale_; }
  // Moves the origin of what is drawn next by (dx, dy) points.
  void translateBy(double dx, double dy) { cairo_translate(cr_, dx, dy); }
  // What is drawn between these composes on its own, transparent, and then
  // lands on what lay below in one step, as an image of it drawn there would.
  // The clip and transform set inside end with the layer.
  void beginTransparencyLayer() { cairo_push_group(cr_); }
  void endTransparencyLayer() {
    cairo_pop_group_to_source(cr_);
    cairo_paint(cr_);
  }

  // nullptr when no Scope is open on this thread.
  static GraphicsContext* current();

  // Makes a context current for its lifetime. The cairo state and the fill
  // and stroke colours are saved on entry and restored on exit, so whatever
  // the drawing code changes (clip, transform, colours) stays inside.
  class Scope {
   public:
    explicit Scope(GraphicsContext& context);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    GraphicsContext& context_;
    Color savedFill_;
    Color savedStroke_;
  };

  void setFillColor(Color color) { fill_ = color; }
  void setStrokeColor(Color color) { stroke_ = color; }
  Color fillColor() const { return fill_; }
  Color strokeColor() const { return stroke_; }

  // An offscreen image context: a transparent ARGB32 image (black RGB24 when
  // opaque) of ceil(points * scale) pixels, current while `draw` runs.
  // Returns nullptr for an empty or oversized image, a scale that is not a
  // positive finite number, or when cairo fails while drawing.
  static std::shared_ptr<Image> renderImage(foundation::Size points, double scale, bool opaque,
                                            const std::function<void()>& draw);

 private:
  cairo_t* cr_;
  double scale_;
  Color fill_ = Color::black();
  Color stroke_ = Color::black();
};

}  // namespace graphics
