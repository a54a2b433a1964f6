#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/IndexPath.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/View.h"

namespace ui {

class TableViewController;

// A grouped table of static rows: each section is a rounded group inset from
// the sides, below a header space. Row and header heights come from the
// controller (held weakly) and are asked again by reloadData(); a row less than
// a point high is hidden: not drawn, not touchable, not focusable. Content
// taller than the view scrolls with a drag. A footer label may stand below the
// last section, wrapped at the groups' text width, and scrolls with the rows. A tap on a selectable
// row selects it and tells the controller; the keyboard moves a focus ring between rows.
class TableView : public View {
 public:
  using Sections = std::vector<std::vector<std::shared_ptr<TableViewCell>>>;

  static constexpr double kGroupInset = 16;           // between a group and the table's sides
  static constexpr double kTopPadding = 16;           // above the first section
  static constexpr double kSectionGap = 20;           // below every section
  static constexpr double kDefaultHeaderHeight = 28;  // when no controller says otherwise
  static constexpr double kDragThreshold = 10;        // movement before a touch scrolls
  static constexpr double kFooterGap = 16;            // below the footer

  TableView();

  // Replaces every row; selection and focus are cleared. Reloads the heights.
  void setSections(Sections sections);
  int numberOfSections() const { return static_cast<int>(sections_.size()); }
  int numberOfRows(int section) const;
  // nullptr outside the table.
  std::shared_ptr<TableViewCell> cellAt(IndexPath path) const;
  std::optional<IndexPath> indexPathFor(const TableViewCell& cell) const;

  std::shared_ptr<TableViewController> controller() const { return controller_.lock(); }
  void setController(const std::weak_ptr<TableViewController>& controller);
  // Asks the controller again for heights and header views, at the next layout.
  void reloadData();

  // Hidden rows, and paths outside the table, count as hidden.
  bool isRowHidden(IndexPath path);
  // The row under `point` (in this view's coordinates), hidden rows skipped.
  std::optional<IndexPath> rowAt(foundation::Point point);
  // Where a row lies in the scrolled content, independent of the offset.
  std::optional<foundation::Rect> rectForRow(IndexPath path);

  std::optional<IndexPath> selectedRow() const { return selected_; }
  // Shows `path` as selected, without telling the controller.
  void selectRow(IndexPath path);
  void deselectRow(IndexPath path, bool animated);

  std::optional<IndexPath> focusedRow() const { return focused_; }
  // A row that cannot take focus (hidden, not focusable, outside) leaves focus as it is.
  void setFocusedRow(std::optional<IndexPath> path);
  // Moves focus by `delta` focusable rows, stopping at the first and last;
  // with no focus, focuses the first focusable row. False when nothing moved.
  bool moveFocus(int delta);

  // The footer label's text may wrap, so the height depends on the width:
  // the first at the table's own width, the second at `width`.
  double contentHeight();
  double contentHeight(double width);
  std::shared_ptr<Label> footerLabel() const { return footer_; }
  // Replaces the footer; nullptr removes it.
  void setFooterLabel(std::shared_ptr<Label> footer);
  double contentOffset() const { return offset_; }
  // Clamped to the scrollable range.
  void setContentOffset(double offset);
  void scrollRowToVisible(IndexPath path);

  void layoutSubviews() override;
  void draw(foundation::Rect rect) override;
  void touchesBegan(const TouchSet& touches) override;
  void touchesMoved(const TouchSet& touches) override;
  void touchesEnded(const TouchSet& touches) override;
  void touchesCancelled(const TouchSet& touches) override;

 private:
  struct Row {
    std::shared_ptr<TableViewCell> cell;
    double top = 0;  // in the content, before scrolling
    double height = 0;
    bool hidden() const { return !cell || height < 1; }
  };
  struct Header {
    std::shared_ptr<View> view;
    double top = 0;
    double height = 0;
  };
  struct Drag {
    std::shared_ptr<Touch> touch;
    foundation::Point start;
    double startOffset = 0;
    std::optional<IndexPath> row;  // the row highlighted under the touch
    bool scrolling = false;
  };

  void loadIfNeeded();
  const Row* row(IndexPath path) const;
  bool canFocus(IndexPath path) const;
  std::vector<IndexPath> focusableRows();
  void positionContent();
  double footerHeight(double width) const;
  void selectFromTap(IndexPath path);

  Sections sections_;
  std::vector<std::vector<Row>> rows_;
  std::vector<Header> headers_;
  double contentHeight_ = 0;  // the rows and sections, without the footer
  std::shared_ptr<Label> footer_;
  bool needsReload_ = true;
  std::weak_ptr<TableViewController> controller_;
  std::optional<IndexPath> selected_;
  std::optional<IndexPath> focused_;
  double offset_ = 0;
  std::optional<Drag> drag_;
};

}  // namespace ui
