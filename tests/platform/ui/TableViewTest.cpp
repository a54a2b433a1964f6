#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Appearance.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Application.h"
#include "platform/ui/Label.h"
#include "platform/ui/Nib.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableViewController.h"

using foundation::Point;
using foundation::Rect;
using ui::IndexPath;
using ui::Key;
using ui::KeyEvent;
using ui::TableView;
using ui::TableViewCell;

namespace {

// Six picking rows, the second of which can be hidden, and a switch row, the
// shape of a choices screen.
class PickerController : public ui::TableViewController {
 public:
  PickerController(bool* destroyed = nullptr) : destroyed_(destroyed) {}
  ~PickerController() override {
    if (destroyed_) *destroyed_ = true;
  }

  void viewDidLoad() override {
    TableViewController::viewDidLoad();
    TableView::Sections sections(2);
    for (int i = 0; i < 6; ++i) {
      auto cell = foundation::create<TableViewCell>();
      cell->textLabel()->setText("Row " + std::to_string(i));
      sections[0].push_back(cell);
    }
    auto switchRow = foundation::create<TableViewCell>();
    switchRow->setSelectable(false);
    switchRow->textLabel()->setText("Colours");
    colours = foundation::create<ui::Switch>();
    switchRow->setAccessoryView(colours);
    sections[1].push_back(switchRow);
    tableView()->setSections(std::move(sections));
  }

  double heightForRow(IndexPath path) override {
    if (hideSecondRow && path.section == 0 && path.row == 1) return 0.01;
    return TableViewController::heightForRow(path);
  }
  void didSelectRow(IndexPath path) override {
    selections.push_back(path);
    if (onSelect) onSelect();
  }

  bool hideSecondRow = true;
  std::vector<IndexPath> selections;
  std::function<void()> onSelect;
  std::shared_ptr<ui::Switch> colours;

 private:
  bool* destroyed_;
};

struct Counter : foundation::Object {
  int count = 0;
  void changed(const ui::Control::Sender&) { ++count; }
};

KeyEvent key(Key k, unsigned modifiers = 0) {
  return {k, {}, modifiers, false};
}

class TableViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    graphics::Appearance::setCurrent(graphics::Appearance::Style::Light);
    ui::Application::reset();
    controller = foundation::create<PickerController>();
    layOut(400, 600);
    counter = foundation::create<Counter>();
    controller->colours->addTarget(counter, &Counter::changed, ui::ControlEvent::ValueChanged);
  }
  void TearDown() override { ui::Application::reset(); }
  void layOut(double width, double height) {
    table = controller->tableView();
    table->setFrame({0, 0, width, height});
    table->layoutIfNeeded();
  }
  Point centreOf(IndexPath path) { return table->cellAt(path)->frame().center(); }
  // The table has no superview, so its coordinates are window coordinates;
  // like the window, deliver to whatever the hit test picks.
  std::shared_ptr<ui::Touch> touchDown(Point p) {
    auto hit = table->hitTest(p);
    EXPECT_TRUE(hit);
    auto touch = std::make_shared<ui::Touch>(next++, p, 0);
    touch->setView(hit);
    if (hit) hit->touchesBegan({touch});
    return touch;
  }
  void moveTo(const std::shared_ptr<ui::Touch>& touch, Point p) {
    touch->update(ui::TouchPhase::Moved, p, 0.05);
    if (auto view = touch->view()) view->touchesMoved({touch});
  }
  void lift(const std::shared_ptr<ui::Touch>& touch, Point p) {
    touch->update(ui::TouchPhase::Ended, p, 0.1);
    if (auto view = touch->view()) view->touchesEnded({touch});
  }
  void tap(Point p) { lift(touchDown(p), p); }

  std::shared_ptr<PickerController> controller;
  std::shared_ptr<TableView> table;
  std::shared_ptr<Counter> counter;
  std::int64_t next = 1;
};

TEST_F(TableViewTest, RowsAreInsetGroupsWithTheLabelAndAccessoryAtTheirEdges) {
  auto first = table->cellAt({0, 0});
  EXPECT_EQ(first->frame().minX(), 16);
  EXPECT_EQ(first->frame().width(), 400 - 32);
  EXPECT_EQ(first->frame().height(), 44);
  EXPECT_EQ(first->textLabel()->frame().minX(), 16);
  auto switchRow = table->cellAt({1, 0});
  Rect accessory = switchRow->accessoryView()->frame();
  EXPECT_EQ(accessory.maxX(), switchRow->bounds().width() - 16);
  EXPECT_EQ(accessory.midY(), switchRow->bounds().midY());
  EXPECT_LE(switchRow->textLabel()->frame().maxX(), accessory.minX());
  // Sections stack downwards with their header space in between.
  EXPECT_GE(switchRow->frame().minY(), table->cellAt({0, 5})->frame().maxY() + 28);
  EXPECT_FALSE(table->cellAt({0, 5})->isHidden());
  EXPECT_TRUE(table->cellAt({0, 5})->isLastInGroup());
  EXPECT_FALSE(table->cellAt({0, 4})->isLastInGroup());
}

TEST_F(TableViewTest, RightToLeftTheTextStandsAtTheRightAndTheSwitchAtTheLeft) {
  ui::Application::shared()->setUserInterfaceLayoutDirection(
      ui::UserInterfaceLayoutDirection::RightToLeft);
  controller = foundation::create<PickerController>();
  layOut(400, 600);
  auto switchRow = table->cellAt({1, 0});
  double width = switchRow->bounds().width();
  Rect accessory = switchRow->accessoryView()->frame();
  EXPECT_EQ(accessory.minX(), 16);
  EXPECT_EQ(accessory.midY(), switchRow->bounds().midY());
  Rect text = switchRow->textLabel()->frame();
  EXPECT_GE(text.minX(), accessory.maxX());
  EXPECT_EQ(text.maxX(), width - 16);

  auto first = table->cellAt({0, 0});
  auto label = first->textLabel();
  EXPECT_EQ(label->frame().maxX(), width - 16);
  auto image = label->contentImage(1.0);
  ASSERT_TRUE(image);
  int inkRight = -1, inkLeft = image->pixelWidth();
  for (int y = 0; y < image->pixelHeight(); ++y) {
    for (int x = 0; x < image->pixelWidth(); ++x) {
      if ((image->pixel(x, y) >> 24) == 0) continue;
      inkRight = std::max(inkRight, x);
      inkLeft = std::min(inkLeft, x);
    }
  }
  EXPECT_GT(inkRight, image->pixelWidth() - 4) << "the text ends at the label's right edge";
  EXPECT_GT(inkLeft, image->pixelWidth() / 2);
  // The separator under the row is inset at the right, under the text's start.
  auto cellImage = first->contentImage(1.0);
  int bottom = cellImage->pixelHeight() - 1;
  EXPECT_NE(cellImage->pixel(4, bottom), 0xffffffffu);
  EXPECT_EQ(cellImage->pixel(cellImage->pixelWidth() - 4, bottom), 0xffffffffu);
}

TEST_F(TableViewTest, AHiddenRowIsNotShownHitOrFocused) {
  ASSERT_TRUE(table->isRowHidden({0, 1}));
  auto hidden = table->cellAt({0, 1});
  EXPECT_TRUE(hidden->isHidden());
  Point onHiddenRow = hidden->frame().origin + Point{40, 0};
  EXPECT_NE(table->rowAt(onHiddenRow), (IndexPath{0, 1}));
  auto hit = table->hitTest(onHiddenRow);
  EXPECT_FALSE(hit && hit->isDescendantOf(*hidden));
  // Row 2 sits right below row 0.
  EXPECT_NEAR(table->cellAt({0, 2})->frame().minY(), table->cellAt({0, 0})->frame().maxY(), 0.1);

  EXPECT_TRUE(table->moveFocus(1));
  EXPECT_EQ(table->focusedRow(), (IndexPath{0, 0}));
  table->moveFocus(1);
  EXPECT_EQ(table->focusedRow(), (IndexPath{0, 2}));
  table->moveFocus(-1);
  EXPECT_EQ(table->focusedRow(), (IndexPath{0, 0}));
  table->setFocusedRow(IndexPath{0, 1});
  EXPECT_EQ(table->focusedRow(), (IndexPath{0, 0})) << "a hidden row cannot be focused";
}

TEST_F(TableViewTest, ReloadDataAsksTheHeightsAgain) {
  controller->hideSecondRow = false;
  EXPECT_TRUE(table->isRowHidden({0, 1})) << "heights are kept until a reload";
  table->reloadData();
  table->layoutIfNeeded();
  EXPECT_FALSE(table->isRowHidden({0, 1}));
  EXPECT_FALSE(table->cellAt({0, 1})->isHidden());
  EXPECT_EQ(table->cellAt({0, 1})->frame().height(), 44);

  table->setFocusedRow(IndexPath{0, 1});
  controller->hideSecondRow = true;
  table->reloadData();
  table->layoutIfNeeded();
  EXPECT_EQ(table->focusedRow(), std::nullopt) << "focus does not stay on a row that vanished";
  EXPECT_FALSE(table->cellAt({0, 1})->isFocused());
}

TEST_F(TableViewTest, FocusStopsAtTheFirstAndLastFocusableRows) {
  table->setFocusedRow(IndexPath{0, 0});
  EXPECT_FALSE(table->moveFocus(-1));
  EXPECT_EQ(table->focusedRow(), (IndexPath{0, 0}));
  EXPECT_TRUE(table->cellAt({0, 0})->isFocused());
  for (int i = 0; i < 10; ++i) table->moveFocus(1);
  EXPECT_EQ(table->focusedRow(), (IndexPath{1, 0})) << "the switch row takes focus too";
  EXPECT_FALSE(table->moveFocus(1));
  EXPECT_FALSE(table->cellAt({0, 0})->isFocused()) << "one focus ring at a time";
  table->moveFocus(-2);
  EXPECT_EQ(table->focusedRow(), (IndexPath{0, 4}));
}

TEST_F(TableViewTest, ArrowsFocusAndReturnSelectsTheFocusedRowOnce) {
  EXPECT_FALSE(controller->keyPressed(key(Key::Return))) << "nothing focused yet";
  EXPECT_TRUE(controller->keyPressed(key(Key::Up)));
  EXPECT_EQ(table->focusedRow(), (IndexPath{0, 0})) << "the first press focuses the first row";
  EXPECT_TRUE(controller->keyPressed(key(Key::Down)));
  EXPECT_EQ(table->focusedRow(), (IndexPath{0, 2}));
  EXPECT_TRUE(controller->keyPressed(key(Key::Return)));
  EXPECT_EQ(controller->selections, (std::vector<IndexPath>{{0, 2}}));
  EXPECT_EQ(table->selectedRow(), (IndexPath{0, 2}));
  EXPECT_TRUE(table->cellAt({0, 2})->isSelected());
  KeyEvent held = key(Key::Return);
  held.repeat = true;
  controller->keyPressed(held);
  EXPECT_EQ(controller->selections.size(), 1u) << "a held key does not pick again";
}

TEST_F(TableViewTest, SpaceOnTheSwitchRowFlipsTheSwitchWithoutSelecting) {
  table->setFocusedRow(IndexPath{1, 0});
  EXPECT_TRUE(controller->keyPressed(key(Key::Space)));
  EXPECT_TRUE(controller->colours->isOn());
  EXPECT_EQ(counter->count, 1);
  EXPECT_TRUE(controller->selections.empty());
  EXPECT_EQ(table->selectedRow(), std::nullopt);
  controller->keyPressed(key(Key::Return));
  EXPECT_FALSE(controller->colours->isOn());
  EXPECT_EQ(counter->count, 2);
}

TEST_F(TableViewTest, KeysTheTableDoesNotUseGoOnUpTheChain) {
  table->setFocusedRow(IndexPath{0, 0});
  EXPECT_FALSE(controller->keyPressed(key(Key::Escape)));
  EXPECT_FALSE(controller->keyPressed(key(Key::Down, ui::Modifier::Command)));
  EXPECT_EQ(table->focusedRow(), (IndexPath{0, 0}));
  EXPECT_TRUE(controller->selections.empty());
}

TEST_F(TableViewTest, TapHighlightsThenSelectsTheRowAndTellsTheController) {
  auto touch = touchDown(centreOf({0, 3}));
  EXPECT_TRUE(table->cellAt({0, 3})->isHighlighted());
  EXPECT_TRUE(controller->selections.empty());
  lift(touch, centreOf({0, 3}) + Point{5, 3});
  EXPECT_EQ(controller->selections, (std::vector<IndexPath>{{0, 3}}));
  EXPECT_EQ(table->selectedRow(), (IndexPath{0, 3}));
  EXPECT_TRUE(table->cellAt({0, 3})->isSelected());
  EXPECT_FALSE(table->cellAt({0, 3})->isHighlighted());

  tap(centreOf({0, 4}));
  EXPECT_EQ(table->selectedRow(), (IndexPath{0, 4}));
  EXPECT_FALSE(table->cellAt({0, 3})->isSelected()) << "one selected row at a time";
}

TEST_F(TableViewTest, TapOnTheSwitchRowFlipsOnlyWhenOnTheSwitch) {
  tap(centreOf({1, 0}) - Point{100, 0});
  EXPECT_TRUE(controller->selections.empty());
  EXPECT_FALSE(table->cellAt({1, 0})->isHighlighted());
  EXPECT_EQ(counter->count, 0);

  Point onSwitch = controller->colours->convertToWindow(controller->colours->bounds().center());
  EXPECT_EQ(table->hitTest(onSwitch), controller->colours);
  tap(onSwitch);
  EXPECT_TRUE(controller->colours->isOn());
  EXPECT_EQ(counter->count, 1);
  EXPECT_TRUE(controller->selections.empty());
}

TEST_F(TableViewTest, ReleasingOnAnotherRowSelectsNothing) {
  auto touch = touchDown(centreOf({0, 0}));
  lift(touch, centreOf({0, 0}) + Point{0, 9});  // within the slop, but still row 0
  EXPECT_EQ(controller->selections.size(), 1u);
  touch = touchDown(centreOf({0, 3}));
  touch->update(ui::TouchPhase::Cancelled, centreOf({0, 3}), 0.1);
  touch->view()->touchesCancelled({touch});
  EXPECT_FALSE(table->cellAt({0, 3})->isHighlighted());
  EXPECT_EQ(controller->selections.size(), 1u);
}

TEST_F(TableViewTest, ADragScrollsTallContentAndNeverSelects) {
  layOut(400, 200);
  double limit = table->contentHeight() - 200;
  ASSERT_GT(limit, 100);
  Point start = centreOf({0, 2});
  auto touch = touchDown(start);
  EXPECT_TRUE(table->cellAt({0, 2})->isHighlighted());
  moveTo(touch, start - Point{0, 8});
  EXPECT_EQ(table->contentOffset(), 0) << "not a drag yet";
  moveTo(touch, start - Point{0, 40});
  EXPECT_EQ(table->contentOffset(), 40) << "measured from touch-down";
  EXPECT_FALSE(table->cellAt({0, 2})->isHighlighted());
  moveTo(touch, start - Point{0, 1000});
  EXPECT_EQ(table->contentOffset(), limit);
  lift(touch, start);
  EXPECT_TRUE(controller->selections.empty());
  EXPECT_EQ(table->selectedRow(), std::nullopt);
  // Rows scrolled wholly out of sight are not drawn over the views around the table.
  EXPECT_TRUE(table->cellAt({0, 0})->isHidden());

  // Back where it started, a drag that did not need to scroll still is no tap.
  table->setContentOffset(0);
  layOut(400, 600);
  touch = touchDown(centreOf({0, 2}));
  lift(touch, centreOf({0, 2}) + Point{0, 15});
  EXPECT_TRUE(controller->selections.empty());
}

TEST_F(TableViewTest, FocusScrollsItsRowIntoView) {
  layOut(400, 150);
  table->setFocusedRow(IndexPath{1, 0});
  Rect row = table->cellAt({1, 0})->frame();
  EXPECT_GT(table->contentOffset(), 0);
  EXPECT_GE(row.minY(), 0);
  EXPECT_LE(row.maxY(), 150);
  table->setFocusedRow(IndexPath{0, 0});
  EXPECT_EQ(table->contentOffset(), 0) << "back at the top, the header shows again";
}

TEST_F(TableViewTest, DeselectingClearsAtOnceAndFadesTheHighlight) {
  tap(centreOf({0, 2}));
  auto cell = table->cellAt({0, 2});
  auto shade = [&] { return (cell->contentImage(1.0)->pixel(300, 20) >> 16) & 0xff; };
  std::uint32_t selected = shade();
  EXPECT_LT(selected, 230u);
  table->deselectRow({0, 2}, true);
  EXPECT_EQ(table->selectedRow(), std::nullopt);
  EXPECT_FALSE(cell->isSelected());
  foundation::RunLoop::main().advance(0.12);
  std::uint32_t fading = shade();
  EXPECT_GT(fading, selected);
  EXPECT_LT(fading, 255u);
  foundation::RunLoop::main().advance(0.2);
  EXPECT_EQ(shade(), 255u) << "the plain white row again";

  tap(centreOf({0, 3}));
  table->deselectRow({0, 3}, false);
  EXPECT_FALSE(table->cellAt({0, 3})->isSelected());
  EXPECT_EQ((table->cellAt({0, 3})->contentImage(1.0)->pixel(300, 20) >> 16) & 0xff, 255u);
}

TEST_F(TableViewTest, TheFocusRingIsDrawnInsideTheRow) {
  auto cell = table->cellAt({0, 0});
  auto at = [&](int x, int y) { return cell->contentImage(1.0)->pixel(x, y); };
  EXPECT_EQ(at(100, 3), 0xffffffffu);
  table->setFocusedRow(IndexPath{0, 0});
  std::uint32_t ring = at(100, 3);
  EXPECT_LT((ring >> 16) & 0xff, 100u) << "blue, not white";
  EXPECT_GT(ring & 0xff, 200u);
  EXPECT_EQ(at(100, 0), 0xffffffffu) << "two points inside the edge";
}

TEST_F(TableViewTest, TheTableRefersToItsControllerWithoutOwningIt) {
  bool destroyed = false;
  auto owner = foundation::create<PickerController>(&destroyed);
  auto view = owner->tableView();
  EXPECT_EQ(view->controller(), owner);
  owner.reset();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(view->controller(), nullptr);
  view->setFrame({0, 0, 400, 600});
  view->reloadData();
  view->layoutIfNeeded();  // falls back on the cells' own heights
  EXPECT_EQ(view->cellAt({0, 1})->frame().height(), 44);
}

TEST_F(TableViewTest, ASelectionThatClosesTheScreenMayReleaseEverything) {
  bool destroyed = false;
  auto owner = foundation::create<PickerController>(&destroyed);
  auto view = owner->tableView();
  view->setFrame({0, 0, 400, 600});
  view->layoutIfNeeded();
  Point p = view->cellAt({0, 0})->frame().center();
  auto hit = view->hitTest(p);
  owner->onSelect = [&] { owner.reset(); };
  view.reset();
  auto touch = std::make_shared<ui::Touch>(1, p, 0);
  touch->setView(hit);
  hit->touchesBegan({touch});
  touch->update(ui::TouchPhase::Ended, p, 0.1);
  hit->touchesEnded({touch});
  EXPECT_TRUE(destroyed);
}

TEST_F(TableViewTest, ATableFromTheControllersNibIsItsTable) {
  std::weak_ptr<TableView> built;
  ui::Nib::registerNib("TableViewTestNib", [&built](ui::ViewController&) {
    auto table = foundation::create<TableView>();
    table->setSections({{foundation::create<TableViewCell>()}});
    built = table;
    return table;
  });
  auto fromNib = foundation::create<ui::TableViewController>("TableViewTestNib");
  auto table = fromNib->tableView();  // loads the nib
  EXPECT_EQ(table, built.lock());
  EXPECT_EQ(table->controller(), fromNib);
  EXPECT_EQ(table->numberOfRows(0), 1);

  auto unknownNib = foundation::create<ui::TableViewController>("NoSuchTableViewTestNib");
  ASSERT_TRUE(unknownNib->tableView()) << "a missing nib still gives a table";
  EXPECT_EQ(unknownNib->tableView()->controller(), unknownNib);
}

}  // namespace
