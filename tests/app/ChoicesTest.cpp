#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/touch/TouchActionViewController.h"
#include "app/AppHarness.h"
#include "choices/ChoicesViewController.h"
#include "platform/foundation/Localization.h"
#include "platform/graphics/TextLayout.h"
#include "platform/motion/MotionManager.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableViewCell.h"
#include "settings/Defaults.h"
#include "shared/App.h"
#include "support/SavedLanguage.h"

namespace {

class ChoicesTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(0);
  }
  // Opens the choices over the running action, as the menu command does.
  std::shared_ptr<ChoicesViewController> open() {
    master()->showChoices(nullptr);
    advance(0.3);
    return choices();
  }
  std::shared_ptr<ChoicesViewController> choices() {
    auto nav = std::dynamic_pointer_cast<ui::NavigationController>(presented());
    return nav ? std::dynamic_pointer_cast<ChoicesViewController>(nav->topViewController())
               : nullptr;
  }
  std::shared_ptr<TouchDotView> touchDot() {
    auto touch = currentAction<TouchActionViewController>();
    return touch ? touch->touchDotView() : nullptr;
  }
};

TEST_F(ChoicesTest, EveryRowShowsItsTextInActionNumberOrder) {
  launch();
  auto c = open();
  ASSERT_TRUE(c);
  auto table = c->tableView();
  std::vector<std::string> texts;
  for (int row = 0; row < 6; ++row) texts.push_back(table->cellAt({0, row})->textLabel()->text());
  EXPECT_EQ(texts,
            (std::vector<std::string>{"Touch", "Gravity", "Swipe", "Connect", "Magnet", "Paint"}));
  EXPECT_EQ(c->colorsLabel->text(), "Random Colors");
}

TEST_F(ChoicesTest, TheSheetIsACentredRoundedCardAsTallAsItsRows) {
  launch({1024, 768});
  auto c = open();
  auto sheet = presented()->view()->frame();
  EXPECT_DOUBLE_EQ(sheet.height(),
                   c->tableView()->contentHeight() + ui::NavigationController::kBarHeight);
  EXPECT_DOUBLE_EQ(sheet.midX(), 512);
  EXPECT_NEAR(sheet.midY(), 384, 0.5);
  // The Touch dot lands anywhere, under the pixels compared too.
  ASSERT_TRUE(touchDot());
  touchDot()->setHidden(true);
  advance(0.05);
  auto dimmed = pixelAt({sheet.minX() - 4, sheet.minY() + 20});
  EXPECT_EQ(pixelAt({sheet.minX() + 1, sheet.minY() + 1}), dimmed) << "the corner is cut round";
  EXPECT_EQ(pixelAt({sheet.minX() + 20, sheet.minY() + 1}), argb(255, 255, 255));

  backend->resizeWindow({400, 500});
  advance(0.5);
  EXPECT_EQ(presented()->view()->frame(), (foundation::Rect{0, 0, 400, 500}))
      << "a small window gives the sheet all of itself";
}

// The footnote stands below the last row in the secondary text colour, whole,
// and wraps rather than being cut off in the narrowest window.
TEST_F(ChoicesTest, BelowTheRowsAFootnoteSaysHowToOpenThemAgain) {
  launch({1024, 768});
  auto c = open();
  window()->layoutIfNeeded();
  auto table = c->tableView();
  auto footer = table->footerLabel();
  ASSERT_EQ(footer, c->footerLabel);
  EXPECT_EQ(footer->text(), "Ctrl+L opens these choices. F11: full screen.");
  EXPECT_EQ(footer->textColor(), graphics::Color::secondaryLabel());
  EXPECT_FALSE(footer->isHidden());
  EXPECT_GE(footer->frame().minY(), table->rectForRow({1, 0})->maxY());
  EXPECT_LE(footer->frame().maxY(), table->bounds().height()) << "the sheet is tall enough for it";
  EXPECT_EQ(footer->textLayout().lineCount(), 1);
  auto sheet = presented()->view()->frame();
  EXPECT_DOUBLE_EQ(sheet.height(), table->contentHeight() + ui::NavigationController::kBarHeight);
  EXPECT_DOUBLE_EQ(footer->frame().maxY() + ui::TableView::kFooterGap, table->contentHeight());

  backend->resizeWindow({360, 480});
  advance(0.5);
  window()->layoutIfNeeded();
  table->setContentOffset(table->contentHeight());
  window()->layoutIfNeeded();
  auto layout = footer->textLayout();
  EXPECT_FALSE(layout.isEllipsized());
  EXPECT_LE(layout.size().height, footer->bounds().height());
  EXPECT_LE(layout.size().width, footer->bounds().width());
  EXPECT_FALSE(footer->isHidden());
  auto inTable = footer->frame();
  EXPECT_GE(inTable.minX(), 0);
  EXPECT_LE(inTable.maxX(), table->bounds().width());
  EXPECT_LE(inTable.maxY(), table->bounds().height()) << "scrolled to the end, all of it shows";
}

TEST_F(ChoicesTest, PickingARowInstallsThatActionAndCloses) {
  launch();
  auto c = open();
  c->didSelectRow({0, 2});
  EXPECT_EQ(Defaults::currentAction(), 2);
  EXPECT_EQ(master()->currentActionViewController->nibName(), "StandardActionViewController");
  advance(0.5);
  EXPECT_FALSE(presented());
  EXPECT_FALSE(c->tableView()->selectedRow()) << "the row was deselected";
}

TEST_F(ChoicesTest, ARowAboveFiveOrAMissingMasterOnlyCloses) {
  launch();
  auto before = master()->currentActionViewController;
  open()->didSelectRow({1, 6});
  advance(0.5);
  EXPECT_FALSE(presented());
  EXPECT_EQ(master()->currentActionViewController, before);

  auto c = open();
  auto keep = App::masterViewController;
  App::masterViewController.reset();
  c->didSelectRow({0, 4});
  advance(0.5);
  EXPECT_FALSE(keep->presentedViewController());
  EXPECT_EQ(Defaults::currentAction(), 0);
  EXPECT_EQ(keep->currentActionViewController, before);
}

TEST_F(ChoicesTest, TheSwitchRecoloursTheRunningActionAtOnceAndStaysOpen) {
  launch();
  auto c = open();
  EXPECT_FALSE(c->colorsSwitch->isOn());
  auto dot = touchDot();
  auto place = dot->center();
  c->colorsSwitch->toggle();
  EXPECT_TRUE(Defaults::randomColors());
  EXPECT_NE(dot->dotColor, App::baseColor());
  EXPECT_EQ(dot->center(), place);
  advance(0.5);
  EXPECT_EQ(choices(), c) << "the switch never closes the screen";
  c->cancel(nullptr);
  advance(0.5);
  EXPECT_FALSE(presented());
  EXPECT_TRUE(Defaults::randomColors()) << "cancel keeps what the switch stored";
}

TEST_F(ChoicesTest, AScreenOpenedWithRandomColoursOnShowsTheSwitchOn) {
  Defaults::setRandomColors(true);
  launch();
  auto c = open();
  EXPECT_TRUE(c->colorsSwitch->isOn());
}

TEST_F(ChoicesTest, WithoutAnAccelerometerTheGravityRowIsHiddenAndSkipped) {
  launch();
  auto c = open();
  EXPECT_FALSE(c->isAccelerometerAvailable);
  EXPECT_DOUBLE_EQ(c->heightForRow({0, 1}), 0.01);
  EXPECT_DOUBLE_EQ(c->heightForRow({0, 2}), 44);
  auto table = c->tableView();
  table->setFocusedRow(ui::IndexPath{0, 0});
  key(ui::Key::Down);
  EXPECT_EQ(table->focusedRow(), (ui::IndexPath{0, 2}));
  c->cancel(nullptr);
  advance(0.5);

  motion::MotionManager::setAvailabilityOverride(true);
  auto withSensor = open();
  EXPECT_TRUE(withSensor->isAccelerometerAvailable);
  EXPECT_DOUBLE_EQ(withSensor->heightForRow({0, 1}), 44);
}

TEST_F(ChoicesTest, TheKeyboardMovesTheFocusFromTheCurrentActionPicksAndCancels) {
  Defaults::setCurrentAction(3);
  launch();
  auto c = open();
  EXPECT_EQ(c->tableView()->focusedRow(), (ui::IndexPath{0, 3}));
  auto sheet = presented();
  key(ui::Key::Character, "l", ui::Modifier::Command);
  advance(0.5);
  EXPECT_EQ(presented(), sheet) << "the menu command over the open choices opens no second sheet";
  EXPECT_FALSE(sheet->presentedViewController());
  EXPECT_EQ(c->tableView()->focusedRow(), (ui::IndexPath{0, 3}));
  key(ui::Key::Down);
  key(ui::Key::Return);
  EXPECT_EQ(Defaults::currentAction(), 4);
  advance(0.5);
  EXPECT_FALSE(presented());

  open();
  key(ui::Key::Escape);
  advance(0.5);
  EXPECT_FALSE(presented());
  EXPECT_EQ(Defaults::currentAction(), 4);
}

TEST_F(ChoicesTest, WhileTheSheetComesOrGoesNothingTakesInputAndAfterwardsAllDoes) {
  launch();
  auto dot = touchDot();
  auto place = dot->center();
  auto menuCommand = [&] { key(ui::Key::Character, "l", ui::Modifier::Command); };

  menuCommand();
  ASSERT_TRUE(presented());
  advance(0.05);
  tap(place);
  advance(0.1);
  EXPECT_EQ(dot->center(), place) << "a tap as the sheet comes stays off the dot under it";
  EXPECT_EQ(dot->dotColor, App::baseColor());
  advance(0.1);
  ASSERT_TRUE(choices());

  key(ui::Key::Escape);
  advance(0.05);
  tap(place);
  advance(0.2);
  EXPECT_FALSE(presented());
  EXPECT_EQ(dot->center(), place) << "a tap as the sheet goes stays off the dot it uncovers";

  menuCommand();
  advance(0.3);
  key(ui::Key::Return);  // picks Touch, the focused row
  auto installed = master()->currentActionViewController;
  ASSERT_NE(installed, nullptr);
  advance(0.05);
  key(ui::Key::Return);
  menuCommand();
  advance(0.3);
  EXPECT_EQ(master()->currentActionViewController, installed) << "one pick, one install";
  EXPECT_FALSE(presented()) << "the menu command during the fade went nowhere";

  dot = touchDot();
  place = dot->center();
  tap(place);
  advance(0.2);
  EXPECT_NE(dot->center(), place) << "once the sheet is gone the dot answers again";
  menuCommand();
  EXPECT_TRUE(presented()) << "and so do the keys";
}

// Runs the test in another language and leaves the process's language as it
// found it.
class TranslatedChoicesTest : public ChoicesTest {
 protected:
  // Each variable as the user set it; null leaves it unset.
  TranslatedChoicesTest(const char* language, const char* lang)
      : language_(language), lang_(lang) {}
  void SetUp() override {
    SavedLanguage::set("LANGUAGE", language_);
    SavedLanguage::set("LANG", lang_);
    foundation::Localization::bind("tamarock", TAMAROCK_TEST_LOCALE_DIR);
    ChoicesTest::SetUp();
  }

 private:
  SavedLanguage saved_;
  const char* language_;
  const char* lang_;
};

class GermanChoicesTest : public TranslatedChoicesTest {
 protected:
  // glibc ignores LANGUAGE under the plain C locale.
  GermanChoicesTest() : TranslatedChoicesTest("de", "C.UTF-8") {}
};

TEST_F(GermanChoicesTest, TheCancelControlFitsItsLongerTitleInTheNarrowestWindow) {
  launch({360, 480});
  open();
  auto nav = std::dynamic_pointer_cast<ui::NavigationController>(presented());
  auto cancel = std::dynamic_pointer_cast<ui::Button>(nav->leadingBarItem());
  ASSERT_TRUE(cancel);
  EXPECT_EQ(cancel->title(), "Abbrechen");
  window()->layoutIfNeeded();
  auto layout = cancel->titleLayout();
  EXPECT_FALSE(layout.isEllipsized());
  EXPECT_LE(layout.size().width, cancel->bounds().width());
  EXPECT_GE(cancel->bounds().width(), cancel->intrinsicSize().width)
      << "sized to its title and its margins, not to the English one";
  auto frame = cancel->frame();
  EXPECT_GE(frame.minX(), 0);
  EXPECT_LE(frame.maxX(), 360);
  EXPECT_GE(frame.minY(), 0);
  EXPECT_LE(frame.maxY(), ui::NavigationController::kBarHeight);
  auto footer = choices()->footerLabel;
  EXPECT_EQ(footer->text(), "Strg+L öffnet diese Auswahl. F11: Vollbild.");
  EXPECT_FALSE(footer->textLayout().isEllipsized());
  EXPECT_LE(footer->frame().maxX(), 360);
  tap(cancel->convertToWindow(cancel->bounds().center()));
  advance(0.5);
  EXPECT_FALSE(presented());
}

// An Arabic user whose locale this machine has not generated.
class ArabicChoicesTest : public TranslatedChoicesTest {
 protected:
  ArabicChoicesTest() : TranslatedChoicesTest(nullptr, "ar_EG.UTF-8") {}
};

// Mirrored as the platform mirrors it for a language written right to left:
// Cancel at the right of the bar, each row's text at the right and the switch
// at the left. The actions themselves stay as they are.
TEST_F(ArabicChoicesTest, TheSheetReadsFromTheRight) {
  launch({1024, 768});
  auto c = open();
  ASSERT_TRUE(c);
  window()->layoutIfNeeded();
  auto nav = std::dynamic_pointer_cast<ui::NavigationController>(presented());
  auto cancel = std::dynamic_pointer_cast<ui::Button>(nav->leadingBarItem());
  ASSERT_TRUE(cancel);
  EXPECT_EQ(cancel->title(), "إلغاء");
  double barWidth = nav->view()->bounds().width();
  EXPECT_GT(cancel->frame().minX(), barWidth / 2);
  EXPECT_LE(cancel->frame().maxX(), barWidth);
  EXPECT_GE(cancel->frame().maxX(), barWidth - 16) << "at the bar's right end";

  auto table = c->tableView();
  EXPECT_EQ(table->cellAt({0, 0})->textLabel()->text(), "لمس");
  for (int row = 0; row < 6; ++row) {
    auto cell = table->cellAt({0, row});
    auto label = cell->textLabel();
    EXPECT_EQ(label->effectiveAlignment(), ui::Label::Alignment::Right) << row;
    EXPECT_EQ(label->frame().maxX(), cell->bounds().width() - ui::TableViewCell::kMargin) << row;
  }
  auto switchFrame = c->colorsSwitch->frame();
  EXPECT_EQ(switchFrame.minX(), ui::TableViewCell::kMargin) << "the switch at the left";
  EXPECT_GE(c->colorsLabel->frame().minX(), switchFrame.maxX());
  auto footer = c->footerLabel;
  EXPECT_EQ(footer->text(), "افتح هذه الخيارات بـ Ctrl+L. ملء الشاشة: F11.");
  EXPECT_EQ(footer->effectiveAlignment(), ui::Label::Alignment::Right);
  // Tapping the switch where it now stands flips it.
  tap(c->colorsSwitch->convertToWindow(c->colorsSwitch->bounds().center()));
  EXPECT_TRUE(Defaults::randomColors());
  // A tap on the Cancel control where it stands closes the sheet.
  tap(cancel->convertToWindow(cancel->bounds().center()));
  advance(0.5);
  EXPECT_FALSE(presented());
}

TEST_F(ChoicesTest, ATapOnARowPicksItAndTheCancelControlCloses) {
  launch({1024, 768});
  auto c = open();
  auto table = c->tableView();
  auto rect = table->rectForRow({0, 5});
  ASSERT_TRUE(rect);
  tap(table->convertToWindow(rect->center()));
  EXPECT_EQ(Defaults::currentAction(), 5);
  advance(0.5);
  EXPECT_FALSE(presented());

  open();
  auto nav = std::dynamic_pointer_cast<ui::NavigationController>(presented());
  auto cancel = nav->leadingBarItem();
  tap(cancel->convertToWindow(cancel->bounds().center()));
  advance(0.5);
  EXPECT_FALSE(presented());
  EXPECT_EQ(Defaults::currentAction(), 5);
}

}  // namespace
