#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/ui/View.h"

namespace ui {

class Label;

// One row of a static table, built in code. Its content goes in contentView();
// a textLabel at the leading edge and an accessoryView (a Switch, say) at the
// trailing edge are laid out by the cell (the text at the right and the
// accessory at the left when the interface reads right to left). Touches on
// the row that no control takes are passed up to the table, which turns them
// into selection.
// Make it with foundation::create: the content view joins it in didCreate(),
// so a subclass that overrides didCreate() calls this one first.
class TableViewCell : public View {
 public:
  static constexpr double kDefaultRowHeight = 44;
  static constexpr double kMargin = 16;  // leading and trailing content margin
  static constexpr double kDeselectDuration = 0.25;

  TableViewCell();

  // Fills the cell; its own subviews should leave touches to the row (a Label does).
  const std::shared_ptr<View>& contentView() const { return contentView_; }
  // Made on first use, in contentView.
  std::shared_ptr<Label> textLabel();
  void setTextLabel(const std::shared_ptr<Label>& label);
  const std::shared_ptr<View>& accessoryView() const { return accessory_; }
  void setAccessoryView(const std::shared_ptr<View>& view);

  double rowHeight() const { return rowHeight_; }
  void setRowHeight(double points) { rowHeight_ = points; }
  bool isSelectable() const { return selectable_; }
  void setSelectable(bool selectable) { selectable_ = selectable; }
  // Unless set: selectable rows, and rows that hold a switch, take keyboard focus.
  bool isFocusable() const;
  void setFocusable(std::optional<bool> focusable) { focusable_ = focusable; }

  // Shown state, set by the table.
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted);
  bool isSelected() const { return selected_; }
  // Clearing the selection animated fades the highlight out.
  void setSelected(bool selected, bool animated = false);
  bool isFocused() const { return focused_; }
  void setFocused(bool focused);
  // Rounded corners at the ends of a group, and no separator under its last row.
  void setGroupPlacement(bool first, bool last);
  bool isLastInGroup() const { return last_; }

  void layoutSubviews() override;
  void draw(foundation::Rect rect) override;
  void touchesBegan(const TouchSet& touches) override;
  void touchesMoved(const TouchSet& touches) override;
  void touchesEnded(const TouchSet& touches) override;
  void touchesCancelled(const TouchSet& touches) override;

 protected:
  void didCreate() override;

 private:
  class ContentView;
  double highlightStrength() const;
  bool stepFade(double now);

  std::shared_ptr<View> contentView_;
  std::shared_ptr<Label> textLabel_;
  std::shared_ptr<View> accessory_;
  double rowHeight_ = kDefaultRowHeight;
  bool selectable_ = true;
  std::optional<bool> focusable_;
  bool highlighted_ = false;
  bool selected_ = false;
  bool focused_ = false;
  bool first_ = false;
  bool last_ = false;
  double fadeStart_ = 0;
  bool fading_ = false;
  std::uint64_t frameLoop_ = 0;  // the loop whose frames run the fade, 0 when none
};

}  // namespace ui
