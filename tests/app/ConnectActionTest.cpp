#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "actions/connect/ConnectActionViewController.h"
#include "actions/connect/ConnectBackgroundView.h"
#include "actions/connect/ConnectDotView.h"
#include "app/AppHarness.h"
#include "settings/Defaults.h"
#include "shared/App.h"

using foundation::Point;

namespace {

class ConnectActionTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    storeReturningUser(3);
  }
  std::shared_ptr<ConnectActionViewController> screen() {
    return currentAction<ConnectActionViewController>();
  }
  std::shared_ptr<ConnectBackgroundView> background() {
    return std::dynamic_pointer_cast<ConnectBackgroundView>(screen()->view());
  }
  std::vector<std::shared_ptr<ConnectDotView>> dots() {
    std::vector<std::shared_ptr<ConnectDotView>> result;
    for (const auto& v : screen()->view()->subviews()) {
      if (auto dot = std::dynamic_pointer_cast<ConnectDotView>(v)) result.push_back(dot);
    }
    return result;
  }
  Point centre(std::int64_t number) { return screen()->centerPoints.at(number); }
  void expectLine(std::int64_t from, std::int64_t to) {
    EXPECT_EQ(screen()->beginningPointNumber, from);
    EXPECT_EQ(screen()->endPointNumber, to);
    EXPECT_EQ(background()->beginningPoint, centre(from));
    EXPECT_EQ(background()->endPoint, centre(to));
  }
};

TEST_F(ConnectActionTest, EveryBoardKeepsItsInvariantsInsideTheSafeArea) {
  launch({1024, 768});
  App::safeAreaInsets = {40, 0, 30, 0};
  std::set<std::size_t> counts;
  for (int round = 0; round < 100; ++round) {
    master()->installAction(3);
    auto s = screen();
    const auto& c = s->centerPoints;
    counts.insert(c.size());
    ASSERT_GE(c.size(), 4u);
    ASSERT_LE(c.size(), 6u);
    auto d = dots();
    ASSERT_EQ(d.size(), c.size());
    ASSERT_EQ(s->view()->subviews().size(), c.size());
    for (std::size_t k = 0; k < c.size(); ++k) {
      EXPECT_EQ(d[k]->dotNumber, static_cast<std::int64_t>(k)) << "numbered in creation order";
      EXPECT_EQ(d[k]->frame(), (foundation::Rect{c[k].x - 32, c[k].y - 32, 64, 64}));
      EXPECT_EQ(d[k]->representedObject.lock(), s);
      EXPECT_GE(c[k].x, 32);
      EXPECT_LE(c[k].x, 1024 - 32);
      EXPECT_GE(c[k].y, 32 + 40);
      EXPECT_LE(c[k].y, 768 - 30 - 32);
      for (std::size_t j = 0; j < k; ++j) {
        EXPECT_FALSE(std::abs(c[k].x - c[j].x) < 68 && std::abs(c[k].y - c[j].y) < 68)
            << "dots " << j << " and " << k << " crowd each other";
      }
    }
    EXPECT_EQ(s->beginningPointNumber, 1);
    EXPECT_EQ(s->endPointNumber, 3);
    EXPECT_EQ(background()->beginningPoint, c[1]);
    EXPECT_EQ(background()->endPoint, c[3]);
  }
  EXPECT_EQ(counts, (std::set<std::size_t>{4, 5, 6}));
}

TEST_F(ConnectActionTest, OnlyADotOffTheLineMovesIt) {
  launch({1024, 768});
  auto s = screen();
  expectLine(1, 3);

  s->connectPoint(0);  // neither end: the line runs from the old end
  expectLine(3, 0);

  s->connectPoint(3);  // the start: the numbers swap, the picture stays
  EXPECT_EQ(s->beginningPointNumber, 0);
  EXPECT_EQ(s->endPointNumber, 3);
  EXPECT_EQ(background()->beginningPoint, centre(3));
  EXPECT_EQ(background()->endPoint, centre(0));

  s->connectPoint(3);  // the end: both numbers equal, the picture stays
  EXPECT_EQ(s->beginningPointNumber, 3);
  EXPECT_EQ(s->endPointNumber, 3);
  EXPECT_EQ(background()->beginningPoint, centre(3));
  EXPECT_EQ(background()->endPoint, centre(0));
}

TEST_F(ConnectActionTest, PressingDotsOneAfterAnotherFollowsTheTable) {
  launch({1024, 768});
  expectLine(1, 3);
  // Each pressed dot is back in its resting grey once released, not left light grey.
  auto press = [&](std::int64_t number) {
    tap(centre(number));
    EXPECT_EQ(dots().at(number)->dotColor, dots().at(number)->connectDotColor) << number;
    EXPECT_EQ(pixelAt(centre(number)), argb(142, 142, 147)) << number;
  };
  press(0);
  expectLine(3, 0);
  press(1);
  expectLine(0, 1);
  press(3);
  expectLine(1, 3);
  press(2);
  expectLine(3, 2);
}

TEST_F(ConnectActionTest, TheLineIsDrawnInGreyBetweenItsDotsAndNowhereElse) {
  launch({1024, 768});
  // A place on the line and one beside it, well away from every dot.
  auto clear = [&](Point p) {
    for (const auto& c : screen()->centerPoints) {
      if (std::hypot(p.x - c.x, p.y - c.y) < 60) return false;
    }
    return p.x > 0 && p.y > 0 && p.x < 1024 && p.y < 768;
  };
  for (double scale : {1.0, 2.0}) {
    SCOPED_TRACE(scale);
    backend->setScreenScale(scale);
    backend->setWindowScale(scale);
    int checked = 0;
    for (int round = 0; round < 50 && checked == 0; ++round) {
      master()->installAction(3);
      Point a = centre(1), b = centre(3);
      double length = std::hypot(b.x - a.x, b.y - a.y);
      Point normal{-(b.y - a.y) / length, (b.x - a.x) / length};
      for (double t = 0; t <= 1; t += 0.05) {
        Point on{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        Point beside{on.x + 16 * normal.x, on.y + 16 * normal.y};
        if (!clear(on) || !clear(beside)) continue;
        EXPECT_EQ(pixelAt(on), argb(142, 142, 147));
        EXPECT_EQ(pixelAt(beside), argb(255, 255, 255)) << "the line is 20.48 points wide";
        ++checked;
      }
    }
    EXPECT_GT(checked, 0);
  }
}

TEST_F(ConnectActionTest, APressRedrawsOnlyWhatTheOldAndTheNewLineCover) {
  const foundation::Size size{1024, 768};
  launch(size);
  auto frame = [&] {
    cairo_surface_t* surface = window()->peer()->beginFrame();
    cairo_surface_flush(surface);
    auto* data = cairo_image_surface_get_data(surface);
    return std::vector<unsigned char>(data, data + cairo_image_surface_get_stride(surface) *
                                                       cairo_image_surface_get_height(surface));
  };
  for (double scale : {1.0, 2.0}) {
    SCOPED_TRACE(scale);
    backend->setScreenScale(scale);
    backend->setWindowScale(scale);
    int presses = 0;
    for (int board = 0; board < 10; ++board) {
      master()->installAction(3);
      window()->render();
      for (std::int64_t number = 0; number < static_cast<std::int64_t>(dots().size()); ++number) {
        auto s = screen();
        if (number == s->beginningPointNumber || number == s->endPointNumber) continue;
        touch(ui::TouchPhase::Began, centre(number));
        window()->render();
        touch(ui::TouchPhase::Ended, centre(number));
        double area = 0;
        for (const auto& r : window()->render()) area += r.width() * r.height();
        EXPECT_LT(area, 0.5 * size.width * size.height) << "a press must not redraw the whole view";
        ++presses;
        // What the strips left on screen is what drawing everything anew shows.
        auto partial = frame();
        background()->setNeedsDisplay();
        window()->invalidateAll();
        window()->render();
        EXPECT_TRUE(partial == frame()) << "board " << board << ", dot " << number;
      }
    }
    EXPECT_GT(presses, 20);
  }
}

TEST_F(ConnectActionTest, ADotHighlightsWhileHeldAndReleasingOffItOrACancelChangesNothing) {
  launch({1024, 768});
  auto dot = dots().at(0);
  Point c = dot->center();
  touch(ui::TouchPhase::Began, c);
  EXPECT_EQ(dot->dotColor, App::highlightColor());
  EXPECT_EQ(pixelAt(c), argb(174, 174, 178));
  touch(ui::TouchPhase::Moved, {c.x + 300, c.y});
  touch(ui::TouchPhase::Ended, {c.x + 300, c.y});
  EXPECT_EQ(dot->dotColor, dot->connectDotColor);
  expectLine(1, 3);

  touch(ui::TouchPhase::Began, c);
  touch(ui::TouchPhase::Cancelled, c);
  EXPECT_EQ(dot->dotColor, dot->connectDotColor);
  EXPECT_EQ(pixelAt(c), argb(142, 142, 147));
  expectLine(1, 3);
}

TEST_F(ConnectActionTest, RandomColoursGiveEachDotItsOwnHueAndTheLineStaysGrey) {
  Defaults::setRandomColors(true);
  launch({1024, 768});
  auto s = screen();
  auto before = s->centerPoints;
  std::set<double> hues;
  for (const auto& dot : dots()) {
    double h = 0, sat = 0, bri = 0;
    dot->dotColor.getHSB(h, sat, bri);
    hues.insert(h);
    EXPECT_EQ(dot->dotColor, dot->connectDotColor);
    EXPECT_NEAR(sat, s->randomSaturation, 1e-6);
    EXPECT_NEAR(bri, s->randomBrightness, 1e-6);
  }
  EXPECT_EQ(hues.size(), s->centerPoints.size());

  Defaults::setRandomColors(false);
  s->updateColors();
  for (const auto& dot : dots()) EXPECT_EQ(dot->dotColor, App::baseColor());
  EXPECT_EQ(s->centerPoints, before);
  expectLine(1, 3);
}

TEST_F(ConnectActionTest, TheLineIsTwoPercentOfTheWindowsWidthNotTheViews) {
  launch({1000, 600});
  auto view = foundation::create<ConnectBackgroundView>();
  view->setFrame({0, 0, 200, 200});
  view->beginningPoint = {0, 100};
  view->endPoint = {200, 100};
  auto image = view->contentImage(1);
  ASSERT_TRUE(image);
  auto alpha = [&](int y) { return image->pixel(100, y) >> 24; };
  EXPECT_EQ(alpha(100 - 10 + 1), 0xffu) << "20 points wide in a window 1000 wide";
  EXPECT_EQ(alpha(100 + 10 - 1), 0xffu);
  EXPECT_EQ(alpha(100 - 10 - 2), 0u);
  EXPECT_EQ(alpha(100 + 10 + 1), 0u);
}

TEST_F(ConnectActionTest, ATinyWindowGetsAShortBoardWithoutALineAndStillAnswersPresses) {
  launch({100, 100});
  auto s = screen();
  ASSERT_EQ(s->centerPoints.size(), 1u) << "only one dot fits at the spacing";
  EXPECT_EQ(background()->beginningPoint, background()->endPoint);

  // A stale line from an earlier board does not survive a board that lacks dot 3.
  background()->beginningPoint = {10, 10};
  background()->endPoint = {90, 90};
  s->viewWillAppear(false);
  EXPECT_EQ(s->centerPoints.size(), 1u);
  EXPECT_EQ(background()->beginningPoint, background()->endPoint);

  tap(centre(0));
  EXPECT_EQ(s->endPointNumber, 0);
  EXPECT_EQ(background()->beginningPoint, background()->endPoint);
}

}  // namespace
