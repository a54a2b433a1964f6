#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/AppHarness.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/NavigationController.h"
#include "settings/Defaults.h"

namespace {

using DefaultsTest = AppHarness;

TEST_F(DefaultsTest, AReturningLaunchAndAResizeDragWriteOnlyWhatChangedOncePerTurn) {
  storeReturningUser(2);
  foundation::UserDefaults::resetStandard(settingsFile());
  auto& store = foundation::UserDefaults::standard();
  launch();
  advance(0.5);
  EXPECT_EQ(store.saveCount(), 0u) << "the returning launch wrote the file";

  auto drag = [this](int steps) {
    for (int step = 0; step < steps; ++step) {
      backend->resizeWindow({600.0 + 10 * step, 500.0 + 5 * step});
      advance(1.0 / 60);
    }
  };
  auto before = master()->currentActionViewController;
  drag(20);
  EXPECT_NE(master()->currentActionViewController, before) << "the drag re-installed nothing";
  EXPECT_EQ(store.saveCount(), 0u) << "re-installing the same action wrote the file";

  // A turn that picks another action and switches colours, as the choices do, saves once, and
  // the file holds both before the turn is over.
  foundation::RunLoop::main().post([master = master()] {
    Defaults::setRandomColors(true);
    master->installAction(4);
  });
  advance(0);
  EXPECT_EQ(store.saveCount(), 1u);
  EXPECT_EQ(foundation::UserDefaults(settingsFile()).integerForKey("CurrentAction"), 4);
  EXPECT_TRUE(foundation::UserDefaults(settingsFile()).boolForKey("RandomColors"));
  drag(20);
  EXPECT_EQ(store.saveCount(), 1u);
}

}  // namespace
