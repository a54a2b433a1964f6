#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Appearance.h"
#include "platform/graphics/TextLayout.h"
#include "platform/headless/HeadlessWindowPeer.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

using foundation::Point;
using foundation::Rect;
using ui::AlertAction;
using ui::AlertController;
using ui::Key;

namespace {

// A screen under the alert that notes every key that reaches it.
class KeyWatcher : public ui::ViewController {
 public:
  std::vector<Key> keys;
  bool keyPressed(const ui::KeyEvent& event) override {
    keys.push_back(event.key);
    return true;
  }
};

class AlertControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    ui::Application::reset();
    graphics::Appearance::setCurrent(graphics::Appearance::Style::Light);
    peer = std::make_shared<headless::HeadlessWindowPeer>(foundation::Size{800, 600});
    window = foundation::create<ui::Window>(peer);
    root = foundation::create<KeyWatcher>();
    root->view()->setBackgroundColor(graphics::Color::white());
    window->setRootViewController(root);
    window->makeKeyAndVisible();
    alert = foundation::create<AlertController>("Updates Available",
                                                "A new version of Tamarock is available!");
    for (const char* title : {"Skip", "Cancel", "Download"}) {
      auto style =
          std::string(title) == "Cancel" ? AlertAction::Style::Cancel : AlertAction::Style::Default;
      alert->addAction({title, style, [this](const AlertAction& a) {
                          chosen.push_back(a.title());
                          stillPresented.push_back(root->presentedViewController() != nullptr);
                        }});
    }
    root->presentViewController(alert, true);
    advance(0.3);
  }
  void TearDown() override { ui::Application::reset(); }

  void advance(double seconds) { foundation::RunLoop::main().advance(seconds); }
  void key(Key k, unsigned modifiers = 0, bool repeat = false) {
    window->sendKey({k, {}, modifiers, repeat});
  }
  Rect buttonFrame(std::size_t i) {
    window->layoutIfNeeded();
    auto button = alert->alertView()->buttons().at(i);
    Point origin = button->convertToWindow({0, 0});
    return {origin, button->frame().size};
  }
  std::uint32_t pixelAt(Point p) {
    window->render();
    cairo_surface_t* surface = peer->beginFrame();
    cairo_surface_flush(surface);
    auto* row = cairo_image_surface_get_data(surface) +
                static_cast<int>(p.y) * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[static_cast<int>(p.x)] & 0xffffffu;
  }
  static int channel(std::uint32_t rgb, int shift) {
    return static_cast<int>((rgb >> shift) & 0xff);
  }

  std::shared_ptr<headless::HeadlessWindowPeer> peer;
  std::shared_ptr<ui::Window> window;
  std::shared_ptr<KeyWatcher> root;
  std::shared_ptr<AlertController> alert;
  std::vector<std::string> chosen;
  std::vector<bool> stillPresented;
};

TEST_F(AlertControllerTest, ACentredCardOverTheDimmedWindowWithTheButtonsInOrder) {
  window->layoutIfNeeded();
  auto view = alert->alertView();
  Rect card = view->cardFrame();
  Point cardOrigin = view->convertToWindow(card.origin);
  EXPECT_NEAR(cardOrigin.x + card.width() / 2, 400, 0.5);
  EXPECT_NEAR(cardOrigin.y + card.height() / 2, 300, 0.5);
  EXPECT_GE(card.width(), ui::AlertView::kMinimumCardWidth);

  ASSERT_EQ(view->buttons().size(), 3u);
  EXPECT_EQ(view->buttons()[0]->title(), "Skip");
  EXPECT_EQ(view->buttons()[1]->title(), "Cancel");
  EXPECT_EQ(view->buttons()[2]->title(), "Download");
  EXPECT_TRUE(view->buttons()[1]->isBold()) << "the cancel action stands out";
  for (std::size_t i = 0; i < 3; ++i) {
    Rect b = buttonFrame(i);
    EXPECT_GE(b.minX(), cardOrigin.x);
    EXPECT_LE(b.maxX(), cardOrigin.x + card.width() + 0.5);
    if (i > 0) {
      EXPECT_GT(b.minX(), buttonFrame(i - 1).minX());
    }
  }
  // The white screen is dimmed around the card; the card itself is not.
  std::uint32_t corner = pixelAt({5, 5});
  EXPECT_NEAR(channel(corner, 16), 255 * (1 - 0.32), 3);
  std::uint32_t inCard = pixelAt({cardOrigin.x + 6, cardOrigin.y + card.height() / 2});
  EXPECT_EQ(inCard, 0xffffffu);
  EXPECT_EQ(view->titleLabel()->text(), "Updates Available");
  EXPECT_EQ(view->messageLabel()->text(), "A new version of Tamarock is available!");
}

// Every title, message line and button title is laid out whole: no ellipsis,
// and no wider or taller than the frame it is drawn in.
void expectWhole(const graphics::TextLayout& layout, const ui::View& view,
                 const std::string& what) {
  EXPECT_FALSE(layout.isEllipsized()) << what;
  EXPECT_LE(layout.size().width, view.bounds().width()) << what;
  EXPECT_LE(layout.size().height, view.bounds().height()) << what;
}

TEST_F(AlertControllerTest, InTheNarrowestWindowNothingIsCutAndButtonsStackOnlyWhenNeeded) {
  struct Texts {
    const char* language;
    std::string title, message;
    std::vector<std::string> buttons;
    bool stackedAt360;
    bool rightToLeft = false;
  };
  const std::vector<Texts> languages{
      {"en",
       "Updates Available",
       "A new version of Tamarock is available!",
       {"Skip", "Cancel", "Download"},
       false},
      {"de",
       "Updates verfügbar",
       "Eine neue Version von Tamarock ist verfügbar!",
       {"Überspringen", "Abbrechen", "Herunterladen"},
       true},
      {"ar",
       "تتوفر تحديثات",
       "يتوفر إصدار جديد من Tamarock!",
       {"تخطي", "إلغاء", "تنزيل"},
       false,
       true},
      // Titles too long for a row, in an interface that reads right to left.
      {"de, right to left",
       "Updates verfügbar",
       "Eine neue Version von Tamarock ist verfügbar!",
       {"Überspringen", "Abbrechen", "Herunterladen"},
       true,
       true},
  };
  key(Key::Escape);
  advance(0.3);
  chosen.clear();
  for (const auto& texts : languages) {
    for (double width : {360.0, 1024.0}) {
      SCOPED_TRACE(std::string(texts.language) + " at " + std::to_string(width));
      ui::Application::shared()->setUserInterfaceLayoutDirection(
          texts.rightToLeft ? ui::UserInterfaceLayoutDirection::RightToLeft
                            : ui::UserInterfaceLayoutDirection::LeftToRight);
      peer->resize({width, 480});
      window->peerDidResize();
      auto shown = foundation::create<AlertController>(texts.title, texts.message);
      for (const auto& title : texts.buttons) {
        shown->addAction(
            {title,
             title == texts.buttons[1] ? AlertAction::Style::Cancel : AlertAction::Style::Default,
             [this](const AlertAction& a) { chosen.push_back(a.title()); }});
      }
      root->presentViewController(shown, false);
      window->layoutIfNeeded();
      auto view = shown->alertView();
      Rect card = view->cardFrame();
      EXPECT_GE(card.minX(), 16);
      EXPECT_LE(card.maxX(), width - 16);
      auto inCard = [&](const ui::View& v) {
        return card.contains(v.frame().origin) && v.frame().maxX() <= card.maxX() &&
               v.frame().maxY() <= card.maxY();
      };
      for (const auto& label : {view->titleLabel(), view->messageLabel()}) {
        expectWhole(label->textLayout(), *label, label->text());
        EXPECT_TRUE(inCard(*label)) << label->text();
      }
      EXPECT_LE(view->titleLabel()->frame().maxY(), view->messageLabel()->frame().minY());
      // Wider windows give the sheet more room; whether the row fits there is
      // for the frames below to show.
      bool stacked = view->buttonsStacked();
      if (width == 360) {
        EXPECT_EQ(stacked, texts.stackedAt360);
      }
      const auto& buttons = view->buttons();
      ASSERT_EQ(buttons.size(), 3u);
      for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->title(), texts.buttons[i]) << "in the order added";
        expectWhole(buttons[i]->titleLayout(), *buttons[i], buttons[i]->title());
        EXPECT_TRUE(inCard(*buttons[i])) << buttons[i]->title();
        EXPECT_GE(buttons[i]->frame().minY(), view->messageLabel()->frame().maxY());
        if (i == 0) {
          if (!stacked) {
            EXPECT_EQ(texts.rightToLeft ? buttons[0]->frame().maxX() : buttons[0]->frame().minX(),
                      texts.rightToLeft ? card.maxX() : card.minX())
                << "the first button leads the row";
          }
          continue;
        }
        Rect before = buttons[i - 1]->frame(), now = buttons[i]->frame();
        if (stacked) {
          EXPECT_EQ(now.minY(), before.maxY()) << "one below the other, in order";
          EXPECT_EQ(now.minX(), card.minX());
          EXPECT_EQ(now.width(), card.width());
        } else {
          EXPECT_EQ(texts.rightToLeft ? now.maxX() : now.minX(),
                    texts.rightToLeft ? before.minX() : before.maxX())
              << "side by side, in order";
          EXPECT_EQ(now.minY(), before.minY());
        }
      }
      // The focus starts on Cancel and moves in the order shown.
      Key onward = stacked ? Key::Down : (texts.rightToLeft ? Key::Left : Key::Right);
      Key back = stacked ? Key::Up : (texts.rightToLeft ? Key::Right : Key::Left);
      EXPECT_EQ(shown->focusedIndex(), 1u);
      key(onward);
      EXPECT_EQ(shown->focusedIndex(), 2u);
      key(back);
      key(back);
      EXPECT_EQ(shown->focusedIndex(), 0u);
      key(Key::Tab);
      EXPECT_EQ(shown->focusedIndex(), 1u);
      // A tap on the last button chooses it, wherever it stands.
      Point last = buttons[2]->convertToWindow(buttons[2]->bounds().center());
      window->sendTouch({1, ui::TouchPhase::Began, last, 0});
      window->sendTouch({1, ui::TouchPhase::Ended, last, 0.05});
      advance(0.3);
      EXPECT_EQ(chosen, std::vector<std::string>{texts.buttons[2]});
      chosen.clear();
      EXPECT_FALSE(root->presentedViewController());
    }
  }
}

TEST_F(AlertControllerTest, EscapeDismissesAndThenRunsTheCancelAction) {
  key(Key::Escape);
  EXPECT_TRUE(chosen.empty()) << "the handler waits for the alert to be gone";
  advance(0.3);
  EXPECT_EQ(chosen, std::vector<std::string>{"Cancel"});
  EXPECT_EQ(stillPresented, std::vector<bool>{false});
  EXPECT_FALSE(root->presentedViewController());
  key(Key::Escape);
  advance(0.3);
  EXPECT_EQ(chosen.size(), 1u);
  EXPECT_EQ(root->keys, std::vector<Key>{Key::Escape}) << "once gone, keys reach the screen again";
}

TEST_F(AlertControllerTest, TheFocusStartsOnCancelAndMovesWithTabAndTheArrows) {
  EXPECT_EQ(alert->focusedIndex(), 1u);
  key(Key::Right);
  EXPECT_EQ(alert->focusedIndex(), 2u);
  key(Key::Right);
  EXPECT_EQ(alert->focusedIndex(), 2u) << "the arrows stop at the ends";
  key(Key::Tab);
  EXPECT_EQ(alert->focusedIndex(), 0u) << "Tab goes round";
  key(Key::Tab, ui::Modifier::Shift);
  EXPECT_EQ(alert->focusedIndex(), 2u);
  key(Key::Left);
  key(Key::Left);
  key(Key::Left);
  EXPECT_EQ(alert->focusedIndex(), 0u);
  EXPECT_TRUE(root->keys.empty()) << "no key reaches the screen under the alert";
}

TEST_F(AlertControllerTest, TheFocusRingIsVisibleAndFollowsTheFocus) {
  auto ringLeftEdge = [&](std::size_t i) {
    Rect b = buttonFrame(i);
    return Point{std::floor(b.minX() + 4), std::floor(b.center().y)};
  };
  auto isBlue = [&](Point p) {
    std::uint32_t c = pixelAt(p);
    return channel(c, 0) > 200 && channel(c, 16) < 80;
  };
  EXPECT_TRUE(isBlue(ringLeftEdge(1)));
  EXPECT_FALSE(isBlue(ringLeftEdge(2)));
  key(Key::Right);
  EXPECT_FALSE(isBlue(ringLeftEdge(1)));
  EXPECT_TRUE(isBlue(ringLeftEdge(2)));
}

// As the platform's alerts in Arabic or Hebrew: the first button at the right,
// the arrows moving the focus the way they point, Tab in the reading order.
TEST_F(AlertControllerTest, RightToLeftTheButtonsRunFromTheRightAndTheFocusFollows) {
  key(Key::Escape);
  advance(0.3);
  chosen.clear();
  ui::Application::shared()->setUserInterfaceLayoutDirection(
      ui::UserInterfaceLayoutDirection::RightToLeft);
  alert = foundation::create<AlertController>("Updates Available",
                                              "A new version of Tamarock is available!");
  for (const char* title : {"Skip", "Cancel", "Download"}) {
    auto style =
        std::string(title) == "Cancel" ? AlertAction::Style::Cancel : AlertAction::Style::Default;
    alert->addAction({title, style, [this](const AlertAction& a) { chosen.push_back(a.title()); }});
  }
  root->presentViewController(alert, false);
  window->layoutIfNeeded();
  ASSERT_FALSE(alert->alertView()->buttonsStacked());
  EXPECT_GT(buttonFrame(0).minX(), buttonFrame(1).minX());
  EXPECT_GT(buttonFrame(1).minX(), buttonFrame(2).minX());
  // A hairline between each pair of neighbours: Skip's left edge is Cancel's right.
  auto isLine = [&](double x) {
    double y = std::floor(buttonFrame(0).center().y) + 0.5;
    for (double dx : {-0.5, 0.5}) {
      if (pixelAt({x + dx, y}) != 0xffffffu) return true;
    }
    return false;
  };
  EXPECT_TRUE(isLine(buttonFrame(0).minX()));
  EXPECT_TRUE(isLine(buttonFrame(1).minX()));
  EXPECT_FALSE(isLine(buttonFrame(1).minX() + 12)) << "and none across a button";

  EXPECT_EQ(alert->focusedIndex(), 1u) << "still on Cancel";
  key(Key::Left);
  EXPECT_EQ(alert->focusedIndex(), 2u) << "Left goes to Download, at the left";
  key(Key::Left);
  EXPECT_EQ(alert->focusedIndex(), 2u);
  key(Key::Right);
  key(Key::Right);
  key(Key::Right);
  EXPECT_EQ(alert->focusedIndex(), 0u) << "Right goes to Skip, at the right";
  key(Key::Tab);
  EXPECT_EQ(alert->focusedIndex(), 1u) << "Tab reads from the right as well";
  key(Key::Tab, ui::Modifier::Shift);
  EXPECT_EQ(alert->focusedIndex(), 0u);
  key(Key::Left);
  key(Key::Return);
  advance(0.3);
  EXPECT_EQ(chosen, std::vector<std::string>{"Cancel"});
}

TEST_F(AlertControllerTest, ReturnOrSpaceChoosesTheFocusedButtonOnce) {
  key(Key::Right);
  key(Key::Return);
  key(Key::Return);
  key(Key::Space);
  advance(0.3);
  EXPECT_EQ(chosen, std::vector<std::string>{"Download"});
}

TEST_F(AlertControllerTest, AHeldKeyDoesNotChoose) {
  key(Key::Space, 0, true);
  key(Key::Return, 0, true);
  advance(0.3);
  EXPECT_TRUE(chosen.empty());
  key(Key::Space);
  advance(0.3);
  EXPECT_EQ(chosen, std::vector<std::string>{"Cancel"});
}

TEST_F(AlertControllerTest, ATapOnAButtonChoosesIt) {
  Point skip = buttonFrame(0).center();
  window->sendTouch({1, ui::TouchPhase::Began, skip, 0});
  window->sendTouch({1, ui::TouchPhase::Ended, skip, 0.05});
  advance(0.3);
  EXPECT_EQ(chosen, std::vector<std::string>{"Skip"});
  EXPECT_FALSE(root->presentedViewController());
}

TEST_F(AlertControllerTest, AHandlerMayPresentSomethingNew) {
  auto second = foundation::create<AlertController>("Again", "");
  second->addAction({"OK", AlertAction::Style::Default, [](const AlertAction&) {}});
  auto third = foundation::create<AlertController>("Next", "");
  third->addAction({"Go", AlertAction::Style::Default, [this, second](const AlertAction&) {
                      root->presentViewController(second, false);
                    }});
  // In place of the first alert, one whose handler presents the next.
  key(Key::Escape);
  advance(0.3);
  root->presentViewController(third, false);
  third->chooseAction(0);
  advance(0.3);
  EXPECT_EQ(root->presentedViewController(), second);
}

TEST_F(AlertControllerTest, WithoutACancelActionEscapeChoosesNothing) {
  key(Key::Escape);
  advance(0.3);
  auto plain = foundation::create<AlertController>("Note", "Nothing to cancel");
  bool ran = false;
  plain->addAction({"OK", AlertAction::Style::Default, [&ran](const AlertAction&) { ran = true; }});
  root->presentViewController(plain, false);
  EXPECT_EQ(plain->focusedIndex(), 0u) << "without a cancel action the focus starts on the first";
  key(Key::Escape);
  advance(0.3);
  EXPECT_FALSE(ran);
  EXPECT_EQ(root->presentedViewController(), plain);
}

}  // namespace
