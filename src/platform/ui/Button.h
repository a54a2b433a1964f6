#pragma once

#include <optional>
#include <string>

#include "platform/graphics/Color.h"
#include "platform/ui/Control.h"

namespace graphics {
class TextLayout;
}

namespace ui {

// A borderless text button in the tint colour. A completed tap sends
// TouchUpInside and then PrimaryActionTriggered.
class Button : public Control {
 public:
  Button();
  explicit Button(foundation::Rect frame);

  const std::string& title() const { return title_; }
  void setTitle(std::string title);
  double pointSize() const { return pointSize_; }
  void setPointSize(double points);
  bool isBold() const { return bold_; }
  void setBold(bool bold);
  // The system blue of the current appearance unless one was set.
  graphics::Color tintColor() const { return tint_.value_or(graphics::Color::systemBlue()); }
  void setTintColor(std::optional<graphics::Color> color);

  // The title's size with a comfortable margin around it, in whole points.
  foundation::Size intrinsicSize() const;
  // Takes the intrinsic size, keeping the origin.
  void sizeToFit();
  // The title as it is drawn in the button's bounds: cut with an ellipsis
  // when they are too narrow.
  graphics::TextLayout titleLayout() const;

  void draw(foundation::Rect rect) override;

 protected:
  void tapCompleted() override;

 private:
  std::string title_;
  double pointSize_ = 17;
  bool bold_ = false;
  std::optional<graphics::Color> tint_;
};

}  // namespace ui
