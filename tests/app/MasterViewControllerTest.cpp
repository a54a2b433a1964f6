#include <gtest/gtest.h>

#include <vector>

#include "actions/touch/TouchActionViewController.h"
#include "app/AppHarness.h"
#include "choices/ChoicesViewController.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/NavigationController.h"
#include "settings/Defaults.h"
#include "shared/App.h"
#include "stage/ActionViewController.h"

namespace {

using MasterTest = AppHarness;

TEST_F(MasterTest, FirstLaunchInstallsTouchAtOnceAndOpensTheChoicesATenthOfASecondLater) {
  launch();
  auto action = master()->currentActionViewController;
  EXPECT_TRUE(std::dynamic_pointer_cast<TouchActionViewController>(action));
  EXPECT_FALSE(Defaults::firstLaunch());
  EXPECT_EQ(Defaults::currentAction(), 0);
  advance(0.099);
  EXPECT_FALSE(presented());
  advance(0.002);
  EXPECT_TRUE(std::dynamic_pointer_cast<ui::NavigationController>(presented()));
}

TEST_F(MasterTest, AStoredNumberOutOfRangeOpensTheChoicesAtOnceAndInstallsNothing) {
  for (std::int64_t stored : {6, -1}) {
    SCOPED_TRACE(stored);
    TearDown();
    SetUp();
    storeReturningUser(stored);
    launch();
    EXPECT_TRUE(std::dynamic_pointer_cast<ui::NavigationController>(presented()));
    EXPECT_FALSE(master()->currentActionViewController);
    EXPECT_EQ(Defaults::currentAction(), stored);
  }
}

TEST_F(MasterTest, AStoredActionIsInstalledFromItsNib) {
  storeReturningUser(3);
  launch();
  EXPECT_EQ(master()->currentActionViewController->nibName(), "ConnectActionViewController");
  EXPECT_EQ(Defaults::currentAction(), 3);
  EXPECT_FALSE(presented());
  master()->installAction(1);
  EXPECT_EQ(master()->currentActionViewController->nibName(), "StandardActionViewController");
  master()->installAction(5);
  EXPECT_EQ(master()->currentActionViewController->nibName(), "PaintActionViewController");
}

// A screen that records when it is told it is leaving.
struct WatchedScreen : ActionViewController {
  explicit WatchedScreen(std::vector<std::string>* log)
      : ActionViewController("StandardActionViewController"), log(log) {}
  void prepareForRemoval() override { log->push_back("removal"); }
  std::vector<std::string>* log;
};

TEST_F(MasterTest, InstallingReplacesTheScreenAfterExactlyOnePrepareForRemoval) {
  storeReturningUser(2);
  std::vector<std::string> log;
  MasterViewController::actionMaker = [&](std::int64_t) {
    log.push_back("create");
    return foundation::create<WatchedScreen>(&log);
  };
  launch();
  auto first = master()->currentActionViewController;
  std::weak_ptr<ActionViewController> weakFirst = first;
  first.reset();
  master()->installAction(2);
  EXPECT_EQ(log, (std::vector<std::string>{"create", "removal", "create"}));
  EXPECT_TRUE(weakFirst.expired()) << "the old screen is released";
  EXPECT_NE(master()->currentActionViewController, nullptr);
}

TEST_F(MasterTest, TheActionViewIsTheOnlySubviewPinnedToAllFourEdges) {
  storeReturningUser(0);
  launch({640, 480});
  auto stray = foundation::create<ui::View>(foundation::Rect{0, 0, 10, 10});
  master()->view()->addSubview(stray);
  master()->installAction(0);
  const auto& subviews = master()->view()->subviews();
  ASSERT_EQ(subviews.size(), 1u);
  auto actionView = master()->currentActionViewController->view();
  EXPECT_EQ(subviews.front(), actionView);
  EXPECT_FALSE(actionView->translatesAutoresizingMaskIntoConstraints());
  auto constraints = actionView->constraints();
  ASSERT_EQ(constraints.size(), 4u);
  std::vector<ui::Edge> edges;
  for (const auto& c : constraints) {
    EXPECT_EQ(c->secondAnchor().view(), master()->view());
    EXPECT_EQ(c->firstAnchor().edge(), c->secondAnchor().edge());
    EXPECT_EQ(c->constant(), 0);
    edges.push_back(c->firstAnchor().edge());
  }
  EXPECT_EQ(edges, (std::vector<ui::Edge>{ui::Edge::Top, ui::Edge::Bottom, ui::Edge::Leading,
                                          ui::Edge::Trailing}));
  window()->layoutIfNeeded();
  EXPECT_EQ(actionView->frame(), (foundation::Rect{0, 0, 640, 480}));
}

TEST_F(MasterTest, StoredSettingsSurviveTheRegistrationAtTheNextLaunch) {
  storeReturningUser(4);
  Defaults::setRandomColors(true);
  foundation::UserDefaults::resetStandard(settingsFile());  // as a new process would read it
  launch();
  EXPECT_EQ(Defaults::currentAction(), 4);
  EXPECT_TRUE(Defaults::randomColors());
  EXPECT_FALSE(Defaults::firstLaunch());
}

}  // namespace
