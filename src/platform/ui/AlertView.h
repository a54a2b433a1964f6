#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/View.h"

namespace ui {

// The face of an alert: a rounded card centred in the view, with the title,
// the message and one row of buttons, and a ring around the button that has
// the keyboard focus. The rest of the view is clear, so what the alert is
// shown over stays visible around the card.
class AlertView : public View {
 public:
  struct ButtonSpec {
    std::string title;
    bool bold = false;
  };

  static constexpr double kMinimumCardWidth = 300;
  static constexpr double kWindowMargin = 16;  // at least this between card and view edges
  static constexpr double kButtonHeight = 44;

  AlertView(const std::string& title, const std::string& message,
            const std::vector<ButtonSpec>& buttons);

  const std::shared_ptr<Label>& titleLabel() const { return title_; }
  const std::shared_ptr<Label>& messageLabel() const { return message_; }
  const std::vector<std::shared_ptr<Button>>& buttons() const { return buttons_; }
  // In this view's coordinates.
  foundation::Rect cardFrame() const;

  std::optional<std::size_t> focusedIndex() const { return focused_; }
  void setFocusedIndex(std::optional<std::size_t> index);

  void layoutSubviews() override;
  void draw(foundation::Rect rect) override;

 private:
  void didCreate() override;
  foundation::Size cardSize() const;

  std::shared_ptr<Label> title_;
  std::shared_ptr<Label> message_;
  std::vector<std::shared_ptr<Button>> buttons_;
  std::optional<std::size_t> focused_;
};

}  // namespace ui
