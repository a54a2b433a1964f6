#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <tuple>

#include "actions/touch/TouchActionViewController.h"
#include "app/Launch.h"
#include "app/LoopbackSiteHarness.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/Application.h"
#include "shared/App.h"
#include "support/ChildProcesses.h"
#include "support/HttpTestServer.h"
#include "support/Plists.h"
#include "update/UpdateCheck.h"

namespace {

const char* const kManifestPath = "/updates/tamarock2.plist";
constexpr double kFrame = 1.0 / 60;

// Quitting at any moment takes the program apart before the process's statics
// go, and nothing reaches a main loop afterwards: not a view's animation that
// ends as its view is destroyed, not the update check's answer.
class QuitTest : public LoopbackSiteHarness {
 protected:
  void SetUp() override {
    LoopbackSiteHarness::SetUp();
    storeReturningUser(0);
    // Longer than any test waits: only a quit that ends the load ends it in time.
    UpdateCheck::loadOptions.totalTimeout = 60;
  }

  void frames(int count) {
    for (int i = 0; i < count; ++i) advance(kFrame);
  }

  // The program's way out once its loop returns, then what the process's exit
  // does: its statics go, the main loop first (it was made after the others),
  // then the application with its window, then the master screen. A fresh
  // loop stands where the destroyed one was; whatever reaches it would have
  // reached freed memory.
  void quitAndExit() {
    ui::Application::shared()->terminate();
    shutDownTamarock();
    foundation::RunLoop::resetMainWithVirtualClock();
    ui::Application::reset();
    App::reset();
  }

  // After the exit, once the Background queue has nothing left to run.
  void expectNothingReachedTheLoop() {
    waitForBackground();
    EXPECT_FALSE(foundation::RunLoop::main().hasPendingWork());
  }
};

enum class Moment { Fade, ChoicesAppearing, ChoicesDisappearing, AlertAppearing };

class QuitAtEveryFrameTest : public QuitTest,
                             public ::testing::WithParamInterface<std::tuple<Moment, int>> {};

TEST_P(QuitAtEveryFrameTest, NothingReachesTheMainLoopAfterTheExit) {
  auto [moment, frame] = GetParam();
  switch (moment) {
    case Moment::Fade: {
      launch();
      auto dot = currentAction<TouchActionViewController>()->touchDotView();
      touch(ui::TouchPhase::Began, dot->center());
      touch(ui::TouchPhase::Ended, dot->center());
      break;
    }
    case Moment::ChoicesAppearing:
      launch();
      key(ui::Key::Character, "l", ui::Modifier::Command);
      break;
    case Moment::ChoicesDisappearing:
      launch();
      key(ui::Key::Character, "l", ui::Modifier::Command);
      advance(0.5);
      ASSERT_TRUE(presented());
      key(ui::Key::Escape);
      break;
    case Moment::AlertAppearing:
      server->serve(kManifestPath, plists::xmlWithBuild("42"));
      launch();
      advance(1.0);
      waitForBackground();  // the answer waits in the main loop: frame 0 quits before it runs
      if (frame > 0) {
        advance(kFrame);
        ASSERT_TRUE(std::dynamic_pointer_cast<ui::AlertController>(presented()));
        --frame;
      }
      break;
  }
  frames(frame);
  quitAndExit();
  expectNothingReachedTheLoop();
}

std::string momentAndFrame(const ::testing::TestParamInfo<std::tuple<Moment, int>>& info) {
  const char* const names[] = {"Fade", "ChoicesAppearing", "ChoicesDisappearing", "AlertAppearing"};
  auto [moment, frame] = info.param;
  return names[static_cast<int>(moment)] + std::string("AtFrame") + std::to_string(frame);
}

// Every frame of the 0.06 s fade and of the 0.2 s sheet transitions, and a little past.
INSTANTIATE_TEST_SUITE_P(
    Moments, QuitAtEveryFrameTest,
    ::testing::Combine(::testing::Values(Moment::Fade, Moment::ChoicesAppearing,
                                         Moment::ChoicesDisappearing, Moment::AlertAppearing),
                       ::testing::Range(0, 15)),
    momentAndFrame);

TEST_F(QuitTest, QuittingWhileTheCheckWaitsForItsAnswerEndsTheLoadFirst) {
  server->hold(kManifestPath, plists::xmlWithBuild("42"));
  launch();
  advance(1.0);
  for (int i = 0; i < 5000 && server->requests().empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(server->requests().size(), 1u) << "the load is in flight";
  auto helper = std::filesystem::path(*UpdateCheck::fetchHelper).filename();
  ASSERT_EQ(childProcessesNamed(helper).size(), 1u) << "the load runs in its helper";
  quitAndExit();
  EXPECT_TRUE(childProcessesNamed(helper).empty()) << "the helper is killed and reaped";
  // The answer the check waited for comes after the exit: nobody may take it.
  server->release();
  expectNothingReachedTheLoop();
}

}  // namespace
