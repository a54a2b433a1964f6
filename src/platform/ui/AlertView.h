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
// the message and the buttons, and a ring around the button that has the
// keyboard focus. The card grows to show the title and the message each on
// one line where the view is wide enough; in a narrower view they wrap onto
// as many lines as they need. The buttons stand in one row when every title
// fits in its share of the card, else one above the other in the same order,
// as the platform's alerts do; the row runs from the right when the interface
// reads right to left. The rest of the view is clear, so what the
// alert is shown over stays visible around the card.
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
  // Whether the buttons stand one above the other rather than in a row.
  bool buttonsStacked() const { return stacks(cardWidth()); }

  std::optional<std::size_t> focusedIndex() const { return focused_; }
  void setFocusedIndex(std::optional<std::size_t> index);

  void layoutSubviews() override;
  void draw(foundation::Rect rect) override;

 private:
  void didCreate() override;
  double cardWidth() const;
  bool stacks(double cardWidth) const;
  foundation::Size cardSize() const;

  std::shared_ptr<Label> title_;
  std::shared_ptr<Label> message_;
  std::vector<std::shared_ptr<Button>> buttons_;
  std::optional<std::size_t> focused_;
};

}  // namespace ui
