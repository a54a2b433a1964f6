#include "platform/foundation/UserDefaults.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/RunLoop.h"

using foundation::RunLoop;
using foundation::UserDefaults;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// What the file holds after "key=", up to the end of that line; nullopt without such a line.
std::optional<std::string> storedText(const fs::path& path, const std::string& key) {
  std::string text = "\n" + readFile(path);
  auto at = text.find("\n" + key + "=");
  if (at == std::string::npos) return std::nullopt;
  at += key.size() + 2;
  return text.substr(at, text.find('\n', at) - at);
}

// The names beside `file` that a save interrupted by a kill leaves behind.
std::vector<std::string> saveTemporaries(const fs::path& file) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(file.parent_path())) {
    std::string name = entry.path().filename().string();
    if (name.size() == file.filename().string().size() + 7 &&
        name.rfind(file.filename().string() + ".", 0) == 0)
      found.push_back(name);
  }
  return found;
}

// Sets or clears an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

const std::map<std::string, UserDefaults::Value> kAppDefaults = {
    {"FirstLaunch", true},
    {"RandomColors", false},
    {"CurrentAction", std::int64_t{0}},
    {"SkipUpdateBuild", std::int64_t{0}}};

class UserDefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "defaults-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    file_ = dir_ / "settings.ini";
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  // Permission bits do not bind root; such tests skip rather than pass vacuously.
  bool permissionsBind() const { return geteuid() != 0; }

  fs::path dir_;
  fs::path file_;
};

}  // namespace

TEST_F(UserDefaultsTest, ValuesRoundTripThroughTheFileWithoutTheRegisteredDefaults) {
  {
    UserDefaults defaults(file_);
    EXPECT_EQ(defaults.loadState(), UserDefaults::LoadState::Missing);
    defaults.registerDefaults(kAppDefaults);
    EXPECT_TRUE(defaults.boolForKey("FirstLaunch"));
    defaults.setBool("FirstLaunch", false);
    defaults.setBool("RandomColors", true);
    defaults.setInteger("CurrentAction", 3);
    defaults.setInteger("SkipUpdateBuild", -42);
    EXPECT_TRUE(defaults.lastSaveSucceeded()) << defaults.lastError();
  }
  std::string text = readFile(file_);
  EXPECT_NE(text.find("[Defaults]"), std::string::npos);
  EXPECT_NE(text.find("RandomColors=true"), std::string::npos);
  EXPECT_NE(text.find("CurrentAction=3"), std::string::npos);

  UserDefaults reopened(file_);
  EXPECT_EQ(reopened.loadState(), UserDefaults::LoadState::Loaded);
  EXPECT_FALSE(reopened.boolForKey("FirstLaunch"));
  EXPECT_TRUE(reopened.boolForKey("RandomColors"));
  EXPECT_EQ(reopened.integerForKey("CurrentAction"), 3);
  EXPECT_EQ(reopened.integerForKey("SkipUpdateBuild"), -42);
  EXPECT_FALSE(reopened.boolForKey("NeverSet"));
  EXPECT_EQ(reopened.integerForKey("NeverSet"), 0);
}

TEST_F(UserDefaultsTest, RegisteredDefaultsGiveWayToStoredValuesAndAreNeverSaved) {
  writeFile(file_, "# kept by hand\n[Defaults]\nCurrentAction=4\nColour=teal\n[Other]\nx=y\n");
  UserDefaults defaults(file_);
  defaults.registerDefaults(kAppDefaults);
  EXPECT_EQ(defaults.integerForKey("CurrentAction"), 4);
  EXPECT_TRUE(defaults.boolForKey("FirstLaunch"));

  defaults.setInteger("SkipUpdateBuild", 7);
  std::string text = readFile(file_);
  EXPECT_EQ(text.find("FirstLaunch"), std::string::npos) << text;
  EXPECT_EQ(text.find("RandomColors"), std::string::npos) << text;
  for (const char* kept : {"# kept by hand", "CurrentAction=4", "Colour=teal", "[Other]", "x=y"}) {
    EXPECT_NE(text.find(kept), std::string::npos) << kept << " lost from:\n" << text;
  }
}

TEST_F(UserDefaultsTest, StoredValuesOfTheWrongTypeOrRangeReadAsTheRegisteredDefault) {
  writeFile(file_,
            "[Defaults]\nCurrentAction=abc\nSkipUpdateBuild=99999999999999999999\n"
            "RandomColors=maybe\nFirstLaunch=12\n");
  UserDefaults defaults(file_);
  defaults.registerDefaults({{"CurrentAction", std::int64_t{2}},
                             {"SkipUpdateBuild", std::int64_t{7}},
                             {"RandomColors", true}});
  EXPECT_EQ(defaults.loadState(), UserDefaults::LoadState::Loaded);
  EXPECT_EQ(defaults.integerForKey("CurrentAction"), 2);
  EXPECT_EQ(defaults.integerForKey("SkipUpdateBuild"), 7);
  EXPECT_TRUE(defaults.boolForKey("RandomColors"));
  EXPECT_FALSE(defaults.boolForKey("FirstLaunch"));
}

TEST_F(UserDefaultsTest, DamagedFilesAreSetAsideIntactAndDefaultsApply) {
  const std::string garbled = "[Defaults\nCurrentAction=5\n\x01";
  const std::string notUtf8 = "[Defaults]\nCurrentAction=5\nName=\xff\xfe\n";
  // Whatever already bears the names a set-aside file could take stays as it is.
  std::vector<fs::path> decoys;
  auto now = std::chrono::system_clock::now();
  for (int second = 0; second < 5; ++second) {
    std::time_t then = std::chrono::system_clock::to_time_t(now + std::chrono::seconds(second));
    std::tm local{};
    localtime_r(&then, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    decoys.push_back(dir_ / ("settings.ini.corrupt-" + std::string(stamp)));
    writeFile(decoys.back(), "decoy");
  }
  std::optional<fs::path> first;
  for (const std::string& bytes : {garbled, notUtf8}) {
    writeFile(file_, bytes);
    UserDefaults defaults(file_);
    defaults.registerDefaults(kAppDefaults);
    EXPECT_EQ(defaults.loadState(), UserDefaults::LoadState::SetAside);
    EXPECT_EQ(defaults.integerForKey("CurrentAction"), 0);
    auto aside = defaults.setAsidePath();
    ASSERT_TRUE(aside.has_value());
    EXPECT_EQ(aside->parent_path(), dir_);
    EXPECT_EQ(aside->filename().string().rfind("settings.ini.corrupt-", 0), 0u);
    EXPECT_EQ(readFile(*aside), bytes);
    EXPECT_NE(aside, first) << "a second damaged file replaced the first";

    defaults.setInteger("CurrentAction", 1);
    EXPECT_TRUE(defaults.lastSaveSucceeded()) << defaults.lastError();
    EXPECT_EQ(readFile(*aside), bytes);
    if (first) {
      EXPECT_EQ(readFile(*first), garbled);
    }
    first = aside;
  }
  for (const auto& decoy : decoys) EXPECT_EQ(readFile(decoy), "decoy") << decoy;
}

TEST_F(UserDefaultsTest, AnUnreadableFileIsNeverSavedOverAndPlayGoesOnInMemory) {
  // A folder or a pipe where the file should be: unreadable even for root.
  for (auto type : {fs::file_type::directory, fs::file_type::fifo}) {
    fs::remove(file_);
    type == fs::file_type::directory ? fs::create_directory(file_) : mkfifo(file_.c_str(), 0600);
    UserDefaults defaults(file_);
    defaults.registerDefaults(kAppDefaults);
    EXPECT_EQ(defaults.loadState(), UserDefaults::LoadState::Unreadable);
    EXPECT_FALSE(defaults.lastError().empty());
    defaults.setInteger("CurrentAction", 5);
    EXPECT_EQ(defaults.integerForKey("CurrentAction"), 5);
    EXPECT_FALSE(defaults.lastSaveSucceeded());
    EXPECT_EQ(fs::symlink_status(file_).type(), type);
  }
}

TEST_F(UserDefaultsTest, AFailedSaveKeepsValuesAndTheNextGoodSaveWritesThemAll) {
  writeFile(dir_ / "blocker", "");  // a file where the folder should be
  fs::path file = dir_ / "blocker" / "app" / "settings.ini";
  UserDefaults defaults(file);
  defaults.setBool("RandomColors", true);
  EXPECT_FALSE(defaults.lastSaveSucceeded());
  EXPECT_FALSE(defaults.lastError().empty());
  EXPECT_TRUE(defaults.boolForKey("RandomColors"));

  fs::remove(dir_ / "blocker");
  defaults.setInteger("CurrentAction", 2);
  EXPECT_TRUE(defaults.lastSaveSucceeded()) << defaults.lastError();
  EXPECT_TRUE(defaults.lastError().empty());
  EXPECT_EQ(fs::status(dir_ / "blocker" / "app").permissions() & fs::perms::all,
            fs::perms::owner_all);
  UserDefaults reopened(file);
  EXPECT_TRUE(reopened.boolForKey("RandomColors"));
  EXPECT_EQ(reopened.integerForKey("CurrentAction"), 2);
}

TEST_F(UserDefaultsTest, AReadOnlyFolderFailsTheSaveButNotThePlay) {
  if (!permissionsBind()) GTEST_SKIP() << "permission bits do not bind root";
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  UserDefaults defaults(file_);
  defaults.setInteger("CurrentAction", 3);
  EXPECT_FALSE(defaults.lastSaveSucceeded());
  EXPECT_EQ(defaults.integerForKey("CurrentAction"), 3);
}

// Real mounts, which bind root too, in a mount namespace of a child process of its own (as a user
// mapped to root when not root): the folder on a tmpfs with no page to spare, then on a read-only
// bind mount. The save fails, the value stays in memory, and the old file and its folder stay as
// they were.
TEST_F(UserDefaultsTest, AFullDiskOrAReadOnlyMountFailsTheSaveAndKeepsTheOldFile) {
  const std::string old = "[Defaults]\nCurrentAction=2\n";
  constexpr int kNoNamespace = 100;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    uid_t uid = geteuid();
    gid_t gid = getegid();
    if (unshare(CLONE_NEWNS | (uid == 0 ? 0 : CLONE_NEWUSER)) != 0) _exit(kNoNamespace);
    if (uid != 0) {
      // Files can be made only by a user and group both mapped.
      writeFile("/proc/self/setgroups", "deny");
      writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
      writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) _exit(kNoNamespace);
    const fs::path full = dir_ / "full";
    const fs::path readOnly = dir_ / "read-only";
    fs::create_directory(full);
    fs::create_directory(readOnly);
    // One page, which the file takes.
    if (mount("tmpfs", full.c_str(), "tmpfs", 0, "size=4k") != 0) _exit(kNoNamespace);
    writeFile(full / "settings.ini", old);
    writeFile(readOnly / "settings.ini", old);
    if (mount(readOnly.c_str(), readOnly.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        mount(nullptr, readOnly.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
      _exit(kNoNamespace);

    int failures = 0;
    auto check = [&failures](bool holds, const fs::path& folder, const char* what) {
      if (holds) return;
      std::fprintf(stderr, "%s: %s\n", folder.filename().c_str(), what);
      ++failures;
    };
    for (const fs::path& folder : {full, readOnly}) {
      {
        UserDefaults defaults(folder / "settings.ini");
        defaults.setInteger("CurrentAction", 4);
        check(!defaults.lastSaveSucceeded(), folder, "the save reported success");
        check(defaults.integerForKey("CurrentAction") == 4, folder, "the value was lost");
      }
      check(readFile(folder / "settings.ini") == old, folder, "the old file changed");
      auto entries = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
      check(entries == 1, folder, "something was left beside the file");
    }
    _exit(failures);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
  ASSERT_NE(WEXITSTATUS(status), kNoNamespace) << "no mount namespace to mount in";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "checks failed; see above";
}

TEST_F(UserDefaultsTest, ALinkedSettingsFileStaysALink) {
  writeFile(dir_ / "real.ini", "[Defaults]\nCurrentAction=1\n");
  fs::create_symlink("real.ini", file_);
  UserDefaults defaults(file_);
  defaults.setInteger("CurrentAction", 4);
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_NE(readFile(dir_ / "real.ini").find("CurrentAction=4"), std::string::npos);

  // A link to a file not made yet (a fresh dotfiles checkout) is followed too, through a chain.
  fs::create_directory(dir_ / "dotfiles");
  fs::create_symlink("dotfiles/hop.ini", dir_ / "dangling.ini");
  fs::create_symlink("tamarock.ini", dir_ / "dotfiles" / "hop.ini");
  UserDefaults dangling(dir_ / "dangling.ini");
  EXPECT_EQ(dangling.loadState(), UserDefaults::LoadState::Missing);
  dangling.setInteger("CurrentAction", 2);
  EXPECT_TRUE(dangling.lastSaveSucceeded()) << dangling.lastError();
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.ini"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "dotfiles" / "hop.ini"));
  EXPECT_EQ(storedText(dir_ / "dotfiles" / "tamarock.ini", "CurrentAction"), "2");
}

TEST_F(UserDefaultsTest, StandardPathFollowsXdgOnlyWhenAbsolute) {
  ScopedEnv home("HOME", "/home/kid");
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg/config");
    EXPECT_EQ(UserDefaults::standardPath("toy"), fs::path("/xdg/config/toy/settings.ini"));
  }
  for (const char* ignored : {"relative/config", "", static_cast<const char*>(nullptr)}) {
    ScopedEnv xdg("XDG_CONFIG_HOME", ignored);
    EXPECT_EQ(UserDefaults::standardPath("toy"), fs::path("/home/kid/.config/toy/settings.ini"));
  }
  // Without an absolute home there is no place for settings, rather than a folder relative to
  // wherever the program was started; play goes on in memory.
  ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  for (const char* noHome : {"", "kid"}) {
    ScopedEnv badHome("HOME", noHome);
    EXPECT_EQ(UserDefaults::standardPath("toy"), std::nullopt) << noHome;
  }
  UserDefaults inMemory;
  inMemory.setInteger("CurrentAction", 3);
  EXPECT_EQ(inMemory.integerForKey("CurrentAction"), 3);
  EXPECT_EQ(inMemory.loadState(), UserDefaults::LoadState::InMemory);
  EXPECT_EQ(inMemory.saveCount(), 0u);
}

TEST_F(UserDefaultsTest, ResetStandardPointsTheSharedInstanceAtAnotherFile) {
  UserDefaults::resetStandard(file_);
  UserDefaults::standard().setInteger("SkipUpdateBuild", 9);
  EXPECT_EQ(UserDefaults(file_).integerForKey("SkipUpdateBuild"), 9);
  UserDefaults::resetStandard(dir_ / "other.ini");
  EXPECT_EQ(UserDefaults::standard().integerForKey("SkipUpdateBuild"), 0);
}

TEST_F(UserDefaultsTest, ABackgroundReaderOnlySeesValuesThatWereWritten) {
  UserDefaults defaults(file_);
  defaults.registerDefaults({{"SkipUpdateBuild", std::int64_t{0}}});
  std::atomic<bool> done = false;
  std::atomic<int> bad = 0;
  std::thread reader([&defaults, &done, &bad] {
    std::int64_t last = 0;
    while (!done) {
      auto value = defaults.integerForKey("SkipUpdateBuild");
      if (value < last || value > 100) ++bad;
      last = value;
    }
  });
  for (std::int64_t build = 1; build <= 100; ++build) defaults.setInteger("SkipUpdateBuild", build);
  done = true;
  reader.join();
  EXPECT_EQ(bad, 0);
  EXPECT_EQ(defaults.integerForKey("SkipUpdateBuild"), 100);
}

TEST_F(UserDefaultsTest, OnlyChangesAreSavedAndOneTurnOfTheLoopSavesOnce) {
  RunLoop::resetMainWithVirtualClock();
  auto& loop = RunLoop::main();
  UserDefaults defaults(file_);
  defaults.registerDefaults(kAppDefaults);
  // Outside a turn of the loop there is nothing to gather: a change is saved at once.
  defaults.setBool("FirstLaunch", false);
  defaults.setInteger("CurrentAction", 2);
  EXPECT_EQ(defaults.saveCount(), 2u);
  defaults.setBool("FirstLaunch", false);
  defaults.setInteger("CurrentAction", 2);
  EXPECT_EQ(defaults.saveCount(), 2u) << "setting what is stored already wrote the file";

  // A returning user's launch and a resize drag re-install the same action many times a turn.
  std::vector<std::uint64_t> savesPerTurn;
  for (std::int64_t action : {2, 2, 4, 4, 4, 1}) {
    auto before = defaults.saveCount();
    std::uint64_t duringTheTurn = 0;
    loop.post([&defaults, &duringTheTurn, action] {
      for (int install = 0; install < 3; ++install) {
        defaults.setBool("FirstLaunch", false);
        defaults.setInteger("CurrentAction", action);
      }
      defaults.setBool("RandomColors", action == 4);
      duringTheTurn = defaults.saveCount();
    });
    loop.drain();
    EXPECT_EQ(duringTheTurn, before) << "saved before the turn was over";
    savesPerTurn.push_back(defaults.saveCount() - before);
    EXPECT_EQ(UserDefaults(file_).integerForKey("CurrentAction"), action) << "lost at turn end";
  }
  // RandomColors is stored for the first time in the first turn.
  EXPECT_EQ(savesPerTurn, (std::vector<std::uint64_t>{1, 0, 1, 0, 0, 1}));

  // A store that goes away during a turn saves what it holds, and its queued save is dropped.
  loop.post([file = file_] {
    auto shortLived = std::make_unique<UserDefaults>(file);
    shortLived->setInteger("SkipUpdateBuild", 9);
    EXPECT_EQ(shortLived->saveCount(), 0u);
  });
  loop.drain();
  EXPECT_EQ(UserDefaults(file_).integerForKey("SkipUpdateBuild"), 9);
}

// Values as a person may leave them in the file: what each reads as, what the file keeps while
// other keys are set, and what it holds once the program sets the key to the value it read (as
// every launch does with the stored action).
struct HandEdited {
  std::string text;
  UserDefaults::Value reads;
  bool fromFile;  // false: it does not read, and the registered default stands in
  std::string kept;
  std::string afterSet;
};

TEST_F(UserDefaultsTest, HandEditedValuesReadLikeThePlatformAndStayUntilTheirKeyIsSet) {
  const std::vector<HandEdited> cases = {
      {" 3 ", std::int64_t{3}, true, "3 ", "3 "},
      {"3.0", std::int64_t{3}, true, "3.0", "3.0"},
      {"4.99", std::int64_t{4}, true, "4.99", "4.99"},
      {"-2.5", std::int64_t{-2}, true, "-2.5", "-2.5"},
      {"+5\t", std::int64_t{5}, true, "+5\t", "+5\t"},
      {"abc", std::int64_t{1}, false, "abc", "1"},
      {"3x", std::int64_t{1}, false, "3x", "1"},
      {".5", std::int64_t{1}, false, ".5", "1"},
      {"True", true, true, "True", "True"},
      {" FALSE ", false, true, "FALSE ", "FALSE "},
      {"yes", true, true, "yes", "yes"},
      {"No", false, true, "No", "No"},
      {"1", true, true, "1", "1"},
      {"0", false, true, "0", "0"},
      {"maybe", true, false, "maybe", "true"},
      {"2", true, false, "2", "true"},
  };
  for (const auto& c : cases) {
    bool isFlag = std::holds_alternative<bool>(c.reads);
    const std::string key = isFlag ? "RandomColors" : "CurrentAction";
    SCOPED_TRACE(key + "=" + c.text);
    writeFile(file_, "[Defaults]\n" + key + "=" + c.text + "\n");
    UserDefaults defaults(file_);
    defaults.registerDefaults({{"CurrentAction", std::int64_t{1}}, {"RandomColors", true}});
    EXPECT_EQ(defaults.loadState(), UserDefaults::LoadState::Loaded);
    if (isFlag) {
      bool expected = std::get<bool>(c.reads);
      EXPECT_EQ(defaults.boolForKey(key), expected);
      EXPECT_EQ(defaults.storedBoolForKey(key),
                c.fromFile ? std::optional(expected) : std::nullopt);
    } else {
      std::int64_t expected = std::get<std::int64_t>(c.reads);
      EXPECT_EQ(defaults.integerForKey(key), expected);
      EXPECT_EQ(defaults.clampedIntegerForKey(key), expected);
      EXPECT_EQ(defaults.storedIntegerForKey(key),
                c.fromFile ? std::optional(expected) : std::nullopt);
    }

    defaults.setInteger("SkipUpdateBuild", 7);
    EXPECT_EQ(storedText(file_, key), c.kept);
    auto saves = defaults.saveCount();
    isFlag ? defaults.setBool(key, defaults.boolForKey(key))
           : defaults.setInteger(key, defaults.integerForKey(key));
    EXPECT_EQ(storedText(file_, key), c.afterSet);
    EXPECT_EQ(defaults.saveCount(), saves + (c.fromFile ? 0 : 1));
  }
}

TEST_F(UserDefaultsTest, ANumberBeyondSixtyFourBitsReadsOutOfRangeOnlyWhereTheCallerAsks) {
  writeFile(file_,
            "[Defaults]\nCurrentAction=99999999999999999999\nSkipUpdateBuild="
            "-99999999999999999999.5\n");
  UserDefaults defaults(file_);
  defaults.registerDefaults({{"CurrentAction", std::int64_t{0}}});
  EXPECT_EQ(defaults.clampedIntegerForKey("CurrentAction"), INT64_MAX);
  EXPECT_EQ(defaults.clampedIntegerForKey("SkipUpdateBuild"), INT64_MIN);
  EXPECT_EQ(defaults.integerForKey("CurrentAction"), 0);
  EXPECT_EQ(defaults.storedIntegerForKey("CurrentAction"), std::nullopt);
}

TEST_F(UserDefaultsTest, AByteOrderMarkIsSkippedNotTakenForDamage) {
  const std::string bom = "\xEF\xBB\xBF";
  writeFile(file_, bom + "[Defaults]\nCurrentAction=4\nRandomColors=true\n");
  UserDefaults defaults(file_);
  EXPECT_EQ(defaults.loadState(), UserDefaults::LoadState::Loaded) << defaults.lastError();
  EXPECT_FALSE(defaults.setAsidePath());
  EXPECT_EQ(defaults.integerForKey("CurrentAction"), 4);
  EXPECT_TRUE(defaults.boolForKey("RandomColors"));
  // Damage after the mark is still damage.
  writeFile(file_, bom + "[Defaults\n");
  EXPECT_EQ(UserDefaults(file_).loadState(), UserDefaults::LoadState::SetAside);
}

TEST_F(UserDefaultsTest, TemporariesOfInterruptedSavesAreClearedAtLaunchButNotAFreshOne) {
  auto age = [](const fs::path& path, std::chrono::seconds by) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - by);
  };
  const std::vector<std::string> stale = {"settings.ini.Ab3xYz", "settings.ini.000000"};
  const std::vector<std::string> others = {
      "settings.ini.Q1w2E3",     // fresh: another instance may be saving right now
      "settings.ini.Ab3xYz7",    // not GLib's pattern
      "settings.ini.ab-xyz",     // nor this
      "settings.ini.backup",     // a name somebody chose
      "settings.ini.corrupt-x",  // a damaged file set aside
      "other.ini.Ab3xYz",        // another file's
  };
  writeFile(file_, "[Defaults]\nCurrentAction=3\n");
  for (const auto& name : stale) writeFile(dir_ / name, "[Defaults]\nCurrentAction=");
  for (const auto& name : others) writeFile(dir_ / name, "x");
  fs::create_directory(dir_ / "settings.ini.Dir123");
  fs::create_symlink("settings.ini", dir_ / "settings.ini.Lnk123");
  for (const auto& name : stale) age(dir_ / name, std::chrono::minutes(5));
  for (const auto& name : others) age(dir_ / name, std::chrono::minutes(5));
  age(dir_ / others.front(), std::chrono::seconds(0));
  age(dir_ / "settings.ini.Dir123", std::chrono::minutes(5));

  UserDefaults defaults(file_);
  EXPECT_EQ(defaults.integerForKey("CurrentAction"), 3);
  for (const auto& name : stale) EXPECT_FALSE(fs::exists(dir_ / name)) << name;
  for (const auto& name : others) EXPECT_TRUE(fs::exists(dir_ / name)) << name;
  EXPECT_TRUE(fs::is_directory(dir_ / "settings.ini.Dir123"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "settings.ini.Lnk123"));

  // Saves through a link leave their temporaries beside the file linked to.
  fs::create_directory(dir_ / "dotfiles");
  fs::remove(file_);
  fs::create_symlink(dir_ / "dotfiles" / "tamarock.ini", file_);
  writeFile(dir_ / "dotfiles" / "tamarock.ini.Zz9Zz9", "");
  age(dir_ / "dotfiles" / "tamarock.ini.Zz9Zz9", std::chrono::minutes(5));
  UserDefaults linked(file_);
  EXPECT_FALSE(fs::exists(dir_ / "dotfiles" / "tamarock.ini.Zz9Zz9"));
}

TEST_F(UserDefaultsTest, KilledMidSaveTheFileStillParsesAndTheNextLaunchClearsWhatWasLeft) {
  constexpr int kKills = 50;
  std::minstd_rand delays(8);  // fixed: the same spread of kill moments every run
  std::int64_t lastStarted = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    std::int64_t first = lastStarted + 1;
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      UserDefaults saver(file_);
      for (std::int64_t value = first;; ++value) saver.setInteger("CurrentAction", value);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500 + delays() % 5000));
    ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    if (!fs::exists(file_)) continue;  // killed before its first save
    UserDefaults reader(file_);
    ASSERT_EQ(reader.loadState(), UserDefaults::LoadState::Loaded) << readFile(file_);
    auto stored = reader.storedIntegerForKey("CurrentAction");
    ASSERT_TRUE(stored.has_value()) << readFile(file_);
    EXPECT_GE(*stored, kill == 0 ? 1 : lastStarted) << "an older value came back";
    lastStarted = *stored;
  }
  // Whatever the kills left behind is fresh; the next launch a while later finds it stale.
  auto left = saveTemporaries(file_);
  for (const auto& name : left) {
    fs::last_write_time(dir_ / name, fs::file_time_type::clock::now() - std::chrono::minutes(1));
  }
  UserDefaults nextLaunch(file_);
  EXPECT_EQ(nextLaunch.loadState(), UserDefaults::LoadState::Loaded);
  // One whose random part came out all lower case looks like a name a person chose, and stays.
  auto kept = saveTemporaries(file_);
  std::erase_if(kept, [&](const std::string& name) {
    return std::all_of(name.end() - 6, name.end(), [](char c) { return std::islower(c) != 0; });
  });
  EXPECT_EQ(kept, std::vector<std::string>{}) << left.size() << " were left";
  RecordProperty("TemporariesLeftByKills", static_cast<int>(left.size()));
}
