#pragma once

#include <optional>
#include <string>

#include "platform/graphics/Color.h"
#include "platform/ui/View.h"

namespace graphics {
class TextLayout;
}

namespace ui {

// Read-only text, vertically centred in the label's bounds. By default one
// line, cut with an ellipsis when it does not fit; a label of more lines
// wraps at its width, each line aligned on its own. The natural alignment,
// the default, is to the leading side: the left, or the right when the
// interface reads right to left. The background stays
// clear, and a label takes no touches of its own: they reach the view
// underneath.
class Label : public View {
 public:
  enum class Alignment { Natural, Left, Center, Right };

  Label();
  explicit Label(foundation::Rect frame);

  const std::string& text() const { return text_; }
  void setText(std::string text);
  double pointSize() const { return pointSize_; }
  void setPointSize(double points);
  bool isBold() const { return bold_; }
  void setBold(bool bold);
  // The label colour of the current appearance unless one was set.
  graphics::Color textColor() const { return textColor_.value_or(graphics::Color::label()); }
  void setTextColor(std::optional<graphics::Color> color);
  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment alignment);
  // Where the text stands: the alignment with Natural made Left or Right.
  Alignment effectiveAlignment() const;
  // The most lines the text may take; 0 for as many as it needs. Negative
  // counts as 0.
  int numberOfLines() const { return numberOfLines_; }
  void setNumberOfLines(int lines);

  // The size the whole text takes on one line, in points, rounded up to
  // whole points.
  foundation::Size intrinsicSize() const;
  // The size the text takes when it wraps at `width` within the number of
  // lines, rounded up to whole points.
  foundation::Size sizeThatFits(double width) const;
  // The text as it is drawn in the label's bounds.
  graphics::TextLayout textLayout() const;

  void draw(foundation::Rect rect) override;

 private:
  std::string text_;
  double pointSize_ = 17;
  bool bold_ = false;
  std::optional<graphics::Color> textColor_;
  Alignment alignment_ = Alignment::Natural;
  int numberOfLines_ = 1;
};

}  // namespace ui
