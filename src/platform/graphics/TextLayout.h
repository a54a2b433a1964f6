#pragma once

#include <pango/pangocairo.h>

#include <string>

#include "platform/foundation/Geometry.h"
#include "platform/graphics/CairoPtr.h"
#include "platform/graphics/Color.h"

namespace graphics {

// One paragraph of text in DejaVu Sans, shaped by Pango. A layout is measured
// once, without any window, and draws the same glyph positions into any
// context, at any device scale; only the rasterising follows the scale.
// `pointSize` is the em size in points (as a UI font size is), clamped to
// [1, 4096]. Invalid UTF-8 is shown as replacement characters. Pango's font
// maps are per thread, so use a layout on the thread that made it.
class TextLayout {
 public:
  TextLayout(std::string utf8, double pointSize, bool bold = false);

  // Text wider than this is cut at the end with an ellipsis; zero, negative
  // or non-finite widths lift the limit.
  void setMaxWidth(double points);

  foundation::Size size() const;  // logical extents, in points
  double baseline() const;        // from the top, in points

  // In GraphicsContext::current(); nothing happens without one.
  void drawAt(foundation::Point topLeft, Color color) const;

 private:
  GObjectPtr<PangoLayout> layout_;
};

}  // namespace graphics
