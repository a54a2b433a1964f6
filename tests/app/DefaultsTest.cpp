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

class DefaultsTest : public AppHarness {
 protected:
  std::string storedFile() const {
    std::ifstream in(settingsFile(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // The next launch, with `bytes` as the settings file a person left.
  void launchWith(const std::string& bytes) {
    std::ofstream(settingsFile(), std::ios::binary) << bytes;
    foundation::UserDefaults::resetStandard(settingsFile());
    launch();
    advance(0.2);
  }
};

// A settings file edited by hand: which screen the next launch shows and what the file holds after.
struct HandEditedFile {
  std::string bytes;
  std::string installedNib;  // empty: nothing installed, the choices open at once
  bool choicesOpen;
  bool randomColors;
  std::optional<std::string> after;  // nullopt: the launch left the file as it was
};

TEST_F(DefaultsTest, AHandEditedFileIsReadAsMeantAndKeptAtTheNextLaunch) {
  const std::string connect = "ConnectActionViewController";
  const std::vector<HandEditedFile> cases = {
      {"\xEF\xBB\xBF[Defaults]\nFirstLaunch=false\nCurrentAction=3\n", connect, false, false, {}},
      {"[Defaults]\nFirstLaunch=false\nCurrentAction= 3 \n", connect, false, false, {}},
      {"[Defaults]\nFirstLaunch=False\nCurrentAction=3.0\nRandomColors=True\n",
       connect,
       false,
       true,
       {}},
      {"[Defaults]\nFirstLaunch=no\nCurrentAction=99999999999999999999\n", "", true, false, {}},
      // A FirstLaunch that reads as neither: the stored action shows this was no first launch.
      {"[Defaults]\nFirstLaunch=maybe\nCurrentAction=3\n", connect, false, false,
       "[Defaults]\nFirstLaunch=false\nCurrentAction=3\n"},
      // With no action stored it is the first launch it defaults to: Touch, then the choices.
      {"[Defaults]\nFirstLaunch=maybe\n", "StandardActionViewController", true, false,
       "[Defaults]\nFirstLaunch=false\nCurrentAction=0\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    TearDown();
    SetUp();
    launchWith(c.bytes);
    auto action = master()->currentActionViewController;
    EXPECT_EQ(action ? action->nibName() : "", c.installedNib);
    EXPECT_EQ(std::dynamic_pointer_cast<ui::NavigationController>(presented()) != nullptr,
              c.choicesOpen);
    EXPECT_EQ(Defaults::randomColors(), c.randomColors);
    EXPECT_EQ(storedFile(), c.after.value_or(c.bytes));
  }
}

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
