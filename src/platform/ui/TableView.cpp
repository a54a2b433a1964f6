#include "platform/ui/TableView.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/BezierPath.h"
#include "platform/graphics/Color.h"
#include "platform/ui/TableViewController.h"

namespace ui {

using foundation::Point;
using foundation::Rect;

namespace {

// A height from outside the table: nothing negative, infinite or NaN.
double sanitized(double height) {
  return std::isfinite(height) && height > 0 ? height : 0;
}

}  // namespace

TableView::TableView() {
  setDrawsContent(true);
  setClipsToBounds(true);
}

void TableView::setSections(Sections sections) {
  for (auto& section : sections_) {
    for (auto& cell : section) {
      if (!cell) continue;
      cell->setHighlighted(false);
      cell->setSelected(false);
      cell->setFocused(false);
      cell->removeFromSuperview();
    }
  }
  sections_ = std::move(sections);
  for (auto& section : sections_) {
    for (auto& cell : section) {
      if (cell) addSubview(cell);
    }
  }
  selected_.reset();
  focused_.reset();
  drag_.reset();
  offset_ = 0;
  reloadData();
}

int TableView::numberOfRows(int section) const {
  if (section < 0 || section >= numberOfSections()) return 0;
  return static_cast<int>(sections_[section].size());
}

std::shared_ptr<TableViewCell> TableView::cellAt(IndexPath path) const {
  if (path.row < 0 || path.row >= numberOfRows(path.section)) return nullptr;
  return sections_[path.section][path.row];
}

std::optional<IndexPath> TableView::indexPathFor(const TableViewCell& cell) const {
  for (int s = 0; s < numberOfSections(); ++s) {
    for (int r = 0; r < numberOfRows(s); ++r) {
      if (sections_[s][r].get() == &cell) return IndexPath{s, r};
    }
  }
  return std::nullopt;
}

void TableView::setController(const std::weak_ptr<TableViewController>& controller) {
  controller_ = controller;
  reloadData();
}

void TableView::reloadData() {
  needsReload_ = true;
  setNeedsLayout();
}

void TableView::loadIfNeeded() {
  if (!needsReload_) return;
  needsReload_ = false;
  auto controller = controller_.lock();
  for (auto& header : headers_) {
    if (header.view) header.view->removeFromSuperview();
  }
  headers_.clear();
  rows_.clear();
  double y = kTopPadding;
  for (int s = 0; s < numberOfSections(); ++s) {
    Header header;
    header.top = y;
    header.height = sanitized(controller ? controller->heightForHeader(s) : kDefaultHeaderHeight);
    header.view = controller ? controller->viewForHeader(s) : nullptr;
    if (header.view) addSubview(header.view);
    headers_.push_back(header);
    y += header.height;
    auto& rows = rows_.emplace_back();
    for (int r = 0; r < numberOfRows(s); ++r) {
      auto cell = sections_[s][r];
      double height = 0;
      if (cell)
        height = sanitized(controller ? controller->heightForRow({s, r}) : cell->rowHeight());
      rows.push_back({cell, y, height});
      y += height;
    }
    // The group's rounded ends go on the rows that are shown.
    auto first = std::find_if(rows.begin(), rows.end(), [](const Row& r) { return !r.hidden(); });
    auto last = std::find_if(rows.rbegin(), rows.rend(), [](const Row& r) { return !r.hidden(); });
    for (auto it = rows.begin(); it != rows.end(); ++it) {
      if (it->cell) it->cell->setGroupPlacement(it == first, last != rows.rend() && &*it == &*last);
    }
    y += kSectionGap;
  }
  contentHeight_ = y;
  if (focused_ && !canFocus(*focused_)) {
    if (auto cell = cellAt(*focused_)) cell->setFocused(false);
    focused_.reset();
  }
  setNeedsLayout();
}

const TableView::Row* TableView::row(IndexPath path) const {
  if (path.section < 0 || path.section >= static_cast<int>(rows_.size())) return nullptr;
  const auto& rows = rows_[path.section];
  if (path.row < 0 || path.row >= static_cast<int>(rows.size())) return nullptr;
  return &rows[path.row];
}

bool TableView::isRowHidden(IndexPath path) {
  loadIfNeeded();
  const Row* r = row(path);
  return !r || r->hidden();
}

std::optional<Rect> TableView::rectForRow(IndexPath path) {
  loadIfNeeded();
  const Row* r = row(path);
  if (!r) return std::nullopt;
  return Rect{kGroupInset, r->top, bounds().width() - 2 * kGroupInset, r->height};
}

std::optional<IndexPath> TableView::rowAt(Point point) {
  loadIfNeeded();
  if (!bounds().contains(point)) return std::nullopt;
  for (int s = 0; s < static_cast<int>(rows_.size()); ++s) {
    for (int r = 0; r < static_cast<int>(rows_[s].size()); ++r) {
      const Row& candidate = rows_[s][r];
      if (candidate.hidden()) continue;
      Rect rect{kGroupInset, candidate.top - offset_, bounds().width() - 2 * kGroupInset,
                candidate.height};
      if (rect.contains(point)) return IndexPath{s, r};
    }
  }
  return std::nullopt;
}

void TableView::selectRow(IndexPath path) {
  auto cell = cellAt(path);
  if (!cell || isRowHidden(path)) return;
  if (selected_ && *selected_ != path) {
    if (auto old = cellAt(*selected_)) old->setSelected(false);
  }
  selected_ = path;
  cell->setSelected(true);
}

void TableView::deselectRow(IndexPath path, bool animated) {
  if (auto cell = cellAt(path)) cell->setSelected(false, animated);
  if (selected_ == path) selected_.reset();
}

bool TableView::canFocus(IndexPath path) const {
  const Row* r = row(path);
  return r && !r->hidden() && r->cell->isFocusable();
}

std::vector<IndexPath> TableView::focusableRows() {
  loadIfNeeded();
  std::vector<IndexPath> paths;
  for (int s = 0; s < static_cast<int>(rows_.size()); ++s) {
    for (int r = 0; r < static_cast<int>(rows_[s].size()); ++r) {
      if (canFocus({s, r})) paths.push_back({s, r});
    }
  }
  return paths;
}

void TableView::setFocusedRow(std::optional<IndexPath> path) {
  loadIfNeeded();
  if (path && !canFocus(*path)) return;
  if (focused_) {
    if (auto old = cellAt(*focused_)) old->setFocused(false);
  }
  focused_ = path;
  if (!path) return;
  cellAt(*path)->setFocused(true);
  scrollRowToVisible(*path);
}

bool TableView::moveFocus(int delta) {
  auto paths = focusableRows();
  if (paths.empty()) return false;
  auto current = focused_ ? std::find(paths.begin(), paths.end(), *focused_) : paths.end();
  if (current == paths.end()) {
    setFocusedRow(paths.front());
    return true;
  }
  auto index = static_cast<long>(current - paths.begin());
  auto target = std::clamp(index + delta, 0L, static_cast<long>(paths.size()) - 1);
  if (target == index) return false;
  setFocusedRow(paths[target]);
  return true;
}

double TableView::contentHeight() {
  return contentHeight(bounds().width());
}

double TableView::contentHeight(double width) {
  loadIfNeeded();
  return contentHeight_ + footerHeight(width);
}

void TableView::setFooterLabel(std::shared_ptr<Label> footer) {
  if (footer_) footer_->removeFromSuperview();
  footer_ = std::move(footer);
  if (footer_) addSubview(footer_);
  setNeedsLayout();
}

double TableView::footerHeight(double width) const {
  if (!footer_ || footer_->text().empty()) return 0;
  double textWidth = std::max(1.0, width - 2 * (kGroupInset + TableViewCell::kMargin));
  return footer_->sizeThatFits(textWidth).height + kFooterGap;
}

void TableView::setContentOffset(double offset) {
  double limit = std::max(0.0, contentHeight() - bounds().height());
  offset = std::isfinite(offset) ? std::clamp(offset, 0.0, limit) : 0;
  if (offset == offset_) return;
  offset_ = offset;
  positionContent();
}

void TableView::scrollRowToVisible(IndexPath path) {
  loadIfNeeded();
  const Row* r = row(path);
  if (!r || bounds().height() <= 0) return;
  // At the ends of a group, bring its header or the gap below it along.
  const auto& rows = rows_[path.section];
  bool firstShown = std::none_of(rows.begin(), rows.begin() + path.row,
                                 [](const Row& other) { return !other.hidden(); });
  bool lastShown = std::none_of(rows.begin() + path.row + 1, rows.end(),
                                [](const Row& other) { return !other.hidden(); });
  double top = firstShown ? headers_[path.section].top : r->top;
  if (firstShown && path.section == 0) top = 0;
  double bottom = r->top + r->height + (lastShown ? kSectionGap : 0);
  if (top < offset_) {
    setContentOffset(top);
  } else if (bottom > offset_ + bounds().height()) {
    setContentOffset(bottom - bounds().height());
  }
}

void TableView::layoutSubviews() {
  View::layoutSubviews();
  loadIfNeeded();
  // A taller view may leave nothing to scroll.
  offset_ = std::clamp(offset_, 0.0, std::max(0.0, contentHeight() - bounds().height()));
  positionContent();
}

void TableView::positionContent() {
  double width = bounds().width();
  double height = bounds().height();
  // Nothing clips a view to its superview, so what is scrolled fully out of
  // sight is hidden rather than left to draw over the views around the table.
  auto outside = [&](double top, double h) { return top + h <= 0 || top >= height; };
  for (auto& section : rows_) {
    for (auto& r : section) {
      if (!r.cell) continue;
      double top = r.top - offset_;
      r.cell->setFrame({kGroupInset, top, width - 2 * kGroupInset, r.height});
      r.cell->setHidden(r.hidden() || outside(top, r.height));
    }
  }
  for (auto& header : headers_) {
    if (!header.view) continue;
    double top = header.top - offset_;
    header.view->setFrame({0, top, width, header.height});
    header.view->setHidden(header.height < 1 || outside(top, header.height));
  }
  if (footer_) {
    // Its text lines up with the rows' text.
    double inset = kGroupInset + TableViewCell::kMargin;
    double h = footerHeight(width);
    double top = contentHeight_ - offset_;
    footer_->setFrame(
        {inset, top, std::max(0.0, width - 2 * inset), std::max(0.0, h - kFooterGap)});
    footer_->setHidden(h < 1 || outside(top, h));
  }
}

void TableView::draw(Rect rect) {
  (void)rect;
  graphics::Color::systemGroupedBackground().setFill();
  graphics::BezierPath::withRect(bounds()).fill();
}

void TableView::touchesBegan(const TouchSet& touches) {
  if (drag_ || touches.empty()) return;
  auto touch = touches.front();
  Point p = touch->locationIn(this);
  Drag drag{touch, p, offset_, std::nullopt, false};
  if (auto path = rowAt(p); path && cellAt(*path)->isSelectable()) {
    drag.row = path;
    cellAt(*path)->setHighlighted(true);
  }
  drag_ = drag;
}

void TableView::touchesMoved(const TouchSet& touches) {
  if (!drag_) return;
  for (const auto& touch : touches) {
    if (touch != drag_->touch) continue;
    Point p = touch->locationIn(this);
    if (!drag_->scrolling &&
        std::hypot(p.x - drag_->start.x, p.y - drag_->start.y) > kDragThreshold) {
      // From here on the touch is a drag, never a tap.
      drag_->scrolling = true;
      if (drag_->row) {
        if (auto cell = cellAt(*drag_->row)) cell->setHighlighted(false);
      }
    }
    // Measured from touch-down, so the content stays under the finger.
    if (drag_->scrolling) setContentOffset(drag_->startOffset - (p.y - drag_->start.y));
  }
}

void TableView::touchesEnded(const TouchSet& touches) {
  if (!drag_) return;
  for (const auto& touch : touches) {
    if (touch != drag_->touch) continue;
    Drag drag = *drag_;
    drag_.reset();
    if (!drag.row) return;
    if (auto cell = cellAt(*drag.row)) cell->setHighlighted(false);
    Point p = touch->locationIn(this);
    bool moved =
        drag.scrolling || std::hypot(p.x - drag.start.x, p.y - drag.start.y) > kDragThreshold;
    if (!moved && rowAt(p) == drag.row) selectFromTap(*drag.row);
    return;
  }
}

void TableView::touchesCancelled(const TouchSet& touches) {
  if (!drag_) return;
  for (const auto& touch : touches) {
    if (touch != drag_->touch) continue;
    if (drag_->row) {
      if (auto cell = cellAt(*drag_->row)) cell->setHighlighted(false);
    }
    drag_.reset();
    return;
  }
}

void TableView::selectFromTap(IndexPath path) {
  // The controller may close the screen and drop the last owner of the table.
  auto protector = sharedAs<TableView>();
  auto controller = controller_.lock();
  selectRow(path);
  if (controller) controller->didSelectRow(path);
}

}  // namespace ui
