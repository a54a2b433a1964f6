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

  enum class Alignment { Left, Center, Right };

  // Text wider than this is cut at the end with an ellipsis; zero, negative
  // or non-finite widths lift the limit.
  void setMaxWidth(double points);
  // Text wider than this wraps onto further lines, between words where it
  // can and inside a word only when the word alone is wider. With maxLines
  // above zero the text stops after that many lines with an ellipsis.
  // Widths are taken as by setMaxWidth.
  void setWrapWidth(double points, int maxLines = 0);
  // Where lines sit within the width set above, on the page whichever way
  // the text runs (the way its first paragraph runs). Unless set, a paragraph
  // stands at the side it starts from.
  void setAlignment(Alignment alignment);

  foundation::Size size() const;  // logical extents, in points
  double baseline() const;        // from the top, in points
  int lineCount() const;
  // Whether some of the text was left out for an ellipsis.
  bool isEllipsized() const;

  // In GraphicsContext::current(); nothing happens without one.
  void drawAt(foundation::Point topLeft, Color color) const;

 private:
  GObjectPtr<PangoLayout> layout_;
};

}  // namespace graphics
