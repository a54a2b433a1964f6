#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <future>
#include <memory>

#include "app/LoopbackSiteHarness.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Localization.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/Application.h"
#include "settings/Background.h"
#include "settings/Defaults.h"
#include "shared/App.h"
#include "support/HttpTestServer.h"
#include "support/Plists.h"
#include "support/SavedLanguage.h"
#include "update/UpdateCheck.h"

namespace {

const char* const kManifestPath = "/updates/tamarock2.plist";

// The whole road of the notice: launch, the delayed check on the Background
// queue against a real server on loopback, the hand-off to the main loop and
// the alert, with the running build set by an Info.plist of the test's own.
class UpdateNoticeTest : public LoopbackSiteHarness {
 protected:
  void SetUp() override {
    LoopbackSiteHarness::SetUp();
    UpdateCheck::loadOptions.connectTimeout = 2;
    UpdateCheck::loadOptions.totalTimeout = 0.5;
    storeReturningUser(0);
  }

  // Launches, lets the delayed check run to its end, and hands its result to the main loop.
  std::shared_ptr<ui::AlertController> launchAndCheck() {
    launch();
    advance(1.0);
    waitForBackground();
    advance(0.5);
    return alert();
  }
  // The next launch of the program, with the settings it stored on disk.
  std::shared_ptr<ui::AlertController> relaunchAndCheck() {
    waitForBackground();
    App::reset();
    ui::Application::reset();
    foundation::RunLoop::resetMainWithVirtualClock();
    foundation::UserDefaults::resetStandard(settingsFile());
    return launchAndCheck();
  }
  std::shared_ptr<ui::AlertController> alert() const {
    return std::dynamic_pointer_cast<ui::AlertController>(presented());
  }
  void choose(const std::string& title) {
    auto shown = alert();
    ASSERT_TRUE(shown);
    for (std::size_t i = 0; i < shown->actions().size(); ++i) {
      if (shown->actions()[i].title() == title) shown->chooseAction(i);
    }
    advance(0.5);
    ASSERT_FALSE(presented()) << "choosing " << title << " closes the alert";
  }
};

TEST_F(UpdateNoticeTest, ANewerBuildIsOfferedOneSecondAfterLaunchWithSkipCancelDownload) {
  serveManifest("42");
  launch();
  advance(0.99);
  waitForBackground();
  EXPECT_TRUE(server->requests().empty()) << "the check waits a second after launch";
  advance(0.01);
  waitForBackground();
  EXPECT_EQ(server->requests(), std::vector<std::string>{kManifestPath});
  advance(0.5);

  auto shown = alert();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->title(), "Updates Available");
  EXPECT_EQ(shown->message(), "A new version of Tamarock is available!");
  ASSERT_EQ(shown->actions().size(), 3u);
  EXPECT_EQ(shown->actions()[0].title(), "Skip");
  EXPECT_EQ(shown->actions()[0].style(), ui::AlertAction::Style::Default);
  EXPECT_EQ(shown->actions()[1].title(), "Cancel");
  EXPECT_EQ(shown->actions()[1].style(), ui::AlertAction::Style::Cancel);
  EXPECT_EQ(shown->actions()[2].title(), "Download");
  EXPECT_EQ(shown->actions()[2].style(), ui::AlertAction::Style::Default);
  // Over the current action, which stays underneath.
  EXPECT_TRUE(master()->currentActionViewController);
  EXPECT_TRUE(master()->currentActionViewController->view()->window());
}

TEST_F(UpdateNoticeTest, TheSameOrAnOlderBuildOffersNothing) {
  setRunningBuild("42");
  serveManifest("42");
  EXPECT_FALSE(launchAndCheck());
  serveManifest("41");
  EXPECT_FALSE(relaunchAndCheck());
  EXPECT_EQ(server->requests().size(), 2u);
}

TEST_F(UpdateNoticeTest, SkipSilencesExactlyThatBuild) {
  serveManifest("42");
  ASSERT_TRUE(launchAndCheck());
  choose("Skip");
  EXPECT_EQ(Defaults::skipUpdateBuild(), 42);
  EXPECT_FALSE(relaunchAndCheck()) << "build 42 was skipped";
  serveManifest("43");
  EXPECT_TRUE(relaunchAndCheck()) << "a later build is offered again";
  EXPECT_EQ(Defaults::skipUpdateBuild(), 42);
}

TEST_F(UpdateNoticeTest, CancelAndDownloadStoreNothingSoTheAlertReturnsNextLaunch) {
  serveManifest("42");
  auto settingsBefore = [&] {
    std::ifstream in(settingsFile());
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  ASSERT_TRUE(launchAndCheck());
  std::string stored = settingsBefore();
  choose("Cancel");
  EXPECT_EQ(settingsBefore(), stored);
  EXPECT_TRUE(backend->openedURLs().empty());

  ASSERT_TRUE(relaunchAndCheck());
  stored = settingsBefore();
  choose("Download");
  EXPECT_EQ(backend->openedURLs(),
            std::vector<std::string>{server->baseURL() + "/downloads/Tamarock.zip"});
  EXPECT_EQ(settingsBefore(), stored);
  EXPECT_EQ(Defaults::skipUpdateBuild(), 0);

  EXPECT_TRUE(relaunchAndCheck());
}

TEST_F(UpdateNoticeTest, TheMessageNamesTheDisplayNameOrTamarock) {
  setRunningBuild("41", "Tamarock Beta");
  serveManifest("42");
  auto named = launchAndCheck();
  ASSERT_TRUE(named);
  EXPECT_EQ(named->message(), "A new version of Tamarock Beta is available!");
  setRunningBuild("41", nullptr);
  auto unnamed = relaunchAndCheck();
  ASSERT_TRUE(unnamed);
  EXPECT_EQ(unnamed->message(), "A new version of Tamarock is available!");
}

// The name comes from the translated bundle strings, as the message around
// it; in a language written right to left the alert reads that way too.
TEST_F(UpdateNoticeTest, TheMessageNamesTheApplicationInTheUsersLanguage) {
  SavedLanguage saved;
  setenv("LANG", "C.UTF-8", 1);
  setenv("LANGUAGE", "fa", 1);
  foundation::Localization::bind("tamarock", TAMAROCK_TEST_OWN_LOCALE_DIR);
  serveManifest("42");
  auto shown = launchAndCheck();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->message(), "نسخهٔ جدید تاماراک در دسترس است!");
  auto view = shown->alertView();
  EXPECT_EQ(view->effectiveUserInterfaceLayoutDirection(),
            ui::UserInterfaceLayoutDirection::RightToLeft);
  window()->layoutIfNeeded();
  EXPECT_GT(view->buttons()[0]->frame().minX(), view->buttons()[2]->frame().minX())
      << "Skip, the first, at the right";
  choose("لغو");
}

TEST_F(UpdateNoticeTest, AResultWithNoMasterScreenIsDropped) {
  serveManifest("42");
  launch();
  auto master = App::masterViewController;
  App::masterViewController.reset();
  advance(1.0);
  waitForBackground();
  advance(0.5);
  EXPECT_EQ(server->requests().size(), 1u);
  EXPECT_FALSE(master->presentedViewController());
}

TEST_F(UpdateNoticeTest, WhileTheServerNeverAnswersPlayGoesOnAndNothingIsShown) {
  server->hang(kManifestPath);
  launch();
  auto dot = master()->currentActionViewController->view()->subviews().front();
  auto started = std::chrono::steady_clock::now();
  advance(1.0);  // the load now runs on the Background queue
  // Queued behind the check, so it is ready exactly when the check has ended.
  auto ended = std::make_shared<std::promise<void>>();
  auto checkEnded = ended->get_future();
  Background().async([ended] { ended->set_value(); });
  auto before = dot->center();
  std::size_t frames = window()->framesPresented();
  tap(before);
  advance(0.5);
  EXPECT_NE(dot->center(), before) << "the main loop kept running the action";
  EXPECT_GT(window()->framesPresented(), frames) << "and kept presenting frames";
  EXPECT_EQ(checkEnded.wait_for(std::chrono::seconds(0)), std::future_status::timeout)
      << "all while the load was still waiting";
  checkEnded.wait();
  EXPECT_EQ(server->requests(), std::vector<std::string>{kManifestPath});
  double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  EXPECT_GE(waited, 0.45) << "the load gave up at its time-out";
  advance(0.5);
  EXPECT_FALSE(presented());
  EXPECT_EQ(Defaults::skipUpdateBuild(), 0);
}

// Every way the check can fail ends it without a notice and without a change
// to the settings; a few odd but valid manifests still lead to the notice.
struct Case {
  const char* name;
  std::function<void(HttpTestServer&)> arrange;
  bool offered;
  const char* runningBuild = "41";
  bool costReported = false;  // prints what the check cost in memory and time
};

// CPU time of the Background queue's thread so far: queued like any work, so
// it reads the clock between the jobs before and after it.
double backgroundSeconds() {
  auto reading = std::make_shared<std::promise<double>>();
  auto seconds = reading->get_future();
  Background().async([reading] {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    reading->set_value(static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9);
  });
  return seconds.get();
}

long residentKilobytes() {
  long pages = 0;
  long resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * 4;
}

class UpdateManifestTest : public UpdateNoticeTest, public ::testing::WithParamInterface<Case> {};

TEST_P(UpdateManifestTest, OffersTheNoticeOnlyForAReadableNewerBuild) {
  const Case& c = GetParam();
  if (c.runningBuild) {
    setRunningBuild(c.runningBuild);
  } else {
    writeInfoPlist("<key>CFBundleDisplayName</key><string>Tamarock</string>");
  }
  c.arrange(*server);
  launch();
  std::ifstream in(settingsFile());
  std::string stored(std::istreambuf_iterator<char>(in), {});
  long residentBefore = residentKilobytes();
  double cpuBefore = backgroundSeconds();
  advance(1.0);
  waitForBackground();
  double cpu = backgroundSeconds() - cpuBefore;
  advance(0.5);
  if (c.costReported) {
    std::printf("%s: the check took %.4f s of CPU; resident memory %+ld kB\n", c.name, cpu,
                residentKilobytes() - residentBefore);
  }
  EXPECT_EQ(alert() != nullptr, c.offered);
  std::ifstream after(settingsFile());
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), stored);
}

void manifest(HttpTestServer& s, const std::string& body) {
  s.serve(kManifestPath, body);
}

INSTANTIATE_TEST_SUITE_P(
    Manifests, UpdateManifestTest,
    ::testing::Values(
        Case{"StringBuild", [](auto& s) { manifest(s, plists::xmlWithBuild("42")); }, true},
        Case{"PlusSign", [](auto& s) { manifest(s, plists::xmlWithBuild("+42")); }, true},
        // The site serves XML; the binary form is where a few hundred bytes can
        // ask a reader for gigabytes.
        Case{"BinaryPlist", [](auto& s) { manifest(s, plists::binaryWithBuild("42")); }, false},
        Case{"BinaryReferencesCopiedMillionsOfTimes",
             [](auto& s) { manifest(s, plists::binaryReferenceBomb("42", 10, 5)); }, false, "41",
             true},
        Case{"BinaryReferencesWithoutBound",
             [](auto& s) { manifest(s, plists::binaryReferenceBomb("42", 16, 14)); }, false, "41",
             true},
        Case{"ArraysNestedFourThousandDeep",
             [](auto& s) { manifest(s, plists::xmlNestedArrays("42", 4000)); }, false, "41", true},
        Case{"EntitiesExpandingTenfoldTenTimes",
             [](auto& s) { manifest(s, plists::xmlEntityExpansion("42", 10)); }, false, "41", true},
        Case{"RedirectedOnce",
             [](auto& s) {
               s.redirect(kManifestPath, "/moved.plist");
               s.serve("/moved.plist", plists::xmlWithBuild("42"));
             },
             true},
        Case{"NumberNotString",
             [](auto& s) {
               manifest(s, plists::xmlDictionary("<key>build</key><integer>42</integer>"));
             },
             false},
        Case{"TrailingLetter", [](auto& s) { manifest(s, plists::xmlWithBuild("42a")); }, false},
        Case{"Negative", [](auto& s) { manifest(s, plists::xmlWithBuild("-1")); }, false},
        Case{"Beyond64Bits",
             [](auto& s) { manifest(s, plists::xmlWithBuild("9223372036854775808")); }, false},
        Case{"MissingKey",
             [](auto& s) {
               manifest(s, plists::xmlDictionary("<key>version</key><string>42</string>"));
             },
             false},
        Case{"RootNotADictionary",
             [](auto& s) {
               manifest(s,
                        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>42</string>"
                        "</array></plist>");
             },
             false},
        Case{"MalformedXml",
             [](auto& s) { manifest(s, "<plist><dict><key>build</key><string>42</dict>"); }, false},
        Case{"NotFound", [](auto&) {}, false},
        Case{"ManifestServedAs404",
             [](auto& s) { s.serve(kManifestPath, plists::xmlWithBuild("42"), 404); }, false},
        Case{"RedirectLoop",
             [](auto& s) {
               s.redirect(kManifestPath, "/loop");
               s.redirect("/loop", kManifestPath);
             },
             false},
        Case{"BodyOverTheCap",
             [](auto& s) {
               manifest(
                   s, plists::xmlDictionary("<key>pad</key><string>" + std::string(64 * 1024, 'x') +
                                            "</string><key>build</key><string>42</string>"));
             },
             false},
        Case{"NothingListening",
             [](auto&) {
               HttpTestServer gone;
               UpdateCheck::siteOverride = gone.baseURL();
             },
             false},
        Case{"NoFetchHelper",
             [](auto& s) {
               manifest(s, plists::xmlWithBuild("42"));
               UpdateCheck::fetchHelper = "/nonexistent/tamarock-fetch";
             },
             false},
        Case{"NoRunningBuild", [](auto& s) { manifest(s, plists::xmlWithBuild("42")); }, false,
             nullptr},
        Case{"UnparsableRunningBuild", [](auto& s) { manifest(s, plists::xmlWithBuild("42")); },
             false, "41x"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(UpdateCheckTest, TheShippedSiteIsHttpsWithTheManifestAndDownloadBelowIt) {
  UpdateCheck::reset();
  std::string site = UpdateCheck::siteURL();
  EXPECT_EQ(site.rfind("https://", 0), 0u) << site;
  if (site.back() == '/') site.pop_back();
  EXPECT_EQ(UpdateCheck::manifestURL(), site + "/updates/tamarock2.plist");
  EXPECT_EQ(UpdateCheck::downloadURL(), site + "/downloads/Tamarock.zip");
  UpdateCheck::siteOverride = "not a site";
  EXPECT_EQ(UpdateCheck::manifestURL(), std::nullopt);
  EXPECT_EQ(UpdateCheck::downloadURL(), std::nullopt);
  UpdateCheck::reset();
}

}  // namespace
