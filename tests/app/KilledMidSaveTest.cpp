#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/AppHarness.h"
#include "choices/ChoicesViewController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Switch.h"
#include "settings/Defaults.h"

namespace fs = std::filesystem;

namespace {

// What a player can change, as the settings file keeps it.
struct Played {
  std::int64_t action = 0;
  bool randomColors = false;
  bool operator==(const Played&) const = default;
};

// The player's side of the pipe: before a turn, what it should store; after it, what it did.
struct Message {
  char kind;  // 'I' intended, 'D' done
  Played played;
};

std::string describe(const Played& p) {
  return "{CurrentAction=" + std::to_string(p.action) +
         ", RandomColors=" + (p.randomColors ? "true" : "false") + "}";
}

class KilledMidSaveTest : public AppHarness {
 protected:
  std::shared_ptr<ChoicesViewController> choices() {
    auto nav = std::dynamic_pointer_cast<ui::NavigationController>(presented());
    return nav ? std::dynamic_pointer_cast<ChoicesViewController>(nav->topViewController())
               : nullptr;
  }

  Played current() const { return {Defaults::currentAction(), Defaults::randomColors()}; }

  // The program from its launch on, played at random until it is killed: picks in the choices,
  // the switch and window resizes, each in a turn of the run loop, which saves at its end. Runs in
  // a child process and never returns.
  [[noreturn]] void play(std::uint32_t seed, int reports) {
    auto send = [reports](char kind, const Played& played) {
      Message message{kind, played};
      if (write(reports, &message, sizeof message) != sizeof message) _exit(2);
    };
    // Launched afresh, as a new process would be, from the file the last one left.
    foundation::UserDefaults::resetStandard(settingsFile());
    std::minstd_rand random(seed);
    launch({200.0 + random() % 700, 200.0 + random() % 500});
    auto openChoices = [this] {
      master()->showChoices(nullptr);
      advance(0.35);
    };
    openChoices();
    send('D', current());
    constexpr std::int64_t kVisibleRows[] = {0, 2, 3, 4, 5};  // Gravity needs a sensor
    for (int turn = 0; turn < 100000; ++turn) {
      auto sheet = choices();
      if (!sheet) {
        openChoices();
        continue;
      }
      Played next = current();
      std::function<void()> step;
      bool picked = false;
      switch (random() % 3) {
        case 0:
          next.action = kVisibleRows[random() % std::size(kVisibleRows)];
          picked = true;
          step = [sheet, row = static_cast<int>(next.action)] { sheet->didSelectRow({0, row}); };
          break;
        case 1:
          next.randomColors = !next.randomColors;
          step = [sheet] { sheet->colorsSwitch->toggle(); };
          break;
        default:
          foundation::Size size{100.0 + random() % 1100, 100.0 + random() % 800};
          step = [this, size] { backend->resizeWindow(size); };
          break;
      }
      send('I', next);
      foundation::RunLoop::main().post(step);
      advance(1.0 / 60);
      send('D', current());
      // A pick closes the choices; they take no input until they are gone.
      if (picked) advance(0.5);
    }
    _exit(3);
  }

  std::vector<std::string> saveTemporaries() const {
    std::vector<std::string> found;
    const std::string prefix = settingsFile().filename().string() + ".";
    for (const auto& entry : fs::directory_iterator(settingsFile().parent_path())) {
      std::string name = entry.path().filename().string();
      if (name.size() == prefix.size() + 6 && name.starts_with(prefix)) found.push_back(name);
    }
    return found;
  }
};

// Killed with SIGKILL at a random moment while it plays, the program leaves a settings file that
// parses and holds what it held after the last finished turn, or what the turn then running was
// storing; never a mix, never less.
TEST_F(KilledMidSaveTest, AThousandKillsWhilePlayingLeaveTheOldOrTheNewValues) {
#ifdef __SANITIZE_ADDRESS__
  // Under ASan every fork copies the page tables of the shadow memory, at ten times the cost;
  // there the same path is checked for memory errors, and fewer kills do.
  constexpr int kKills = 250;
#else
  constexpr int kKills = 1000;
#endif
  storeReturningUser(0);
  std::minstd_rand delays(11);  // fixed: the same spread of kill moments every run
  int interrupted = 0;          // kills that left a save's temporary file behind
  int turnsPlayed = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    auto temporariesBefore = saveTemporaries().size();
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(pipeEnds[0]);
      play(static_cast<std::uint32_t>(kill), pipeEnds[1]);
    }
    close(pipeEnds[1]);
    // From its first report on the child plays; the kill falls anywhere in the next few turns.
    pollfd launched{pipeEnds[0], POLLIN, 0};
    bool reported = poll(&launched, 1, 10000) == 1;
    std::this_thread::sleep_for(std::chrono::microseconds(delays() % 12000));
    ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    std::vector<Message> messages;
    Message message;
    while (read(pipeEnds[0], &message, sizeof message) == sizeof message) {
      messages.push_back(message);
    }
    close(pipeEnds[0]);
    ASSERT_TRUE(reported) << "the child never launched";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
    ASSERT_FALSE(messages.empty());

    // What the file may hold: the last state done, or the one intended after it.
    std::vector<Played> allowed;
    for (const auto& m : messages) {
      if (m.kind == 'D') allowed = {m.played};
      if (m.kind == 'I') allowed.resize(1), allowed.push_back(m.played);
    }
    turnsPlayed += static_cast<int>(messages.size() / 2);
    foundation::UserDefaults reader(settingsFile());
    ASSERT_EQ(reader.loadState(), foundation::UserDefaults::LoadState::Loaded)
        << reader.lastError();
    auto action = reader.storedIntegerForKey("CurrentAction");
    auto colors = reader.storedBoolForKey("RandomColors");
    ASSERT_EQ(reader.storedBoolForKey("FirstLaunch"), false);
    ASSERT_TRUE(action.has_value());
    Played stored{*action, colors.value_or(false)};
    bool isAllowed = std::find(allowed.begin(), allowed.end(), stored) != allowed.end();
    ASSERT_TRUE(isAllowed) << "the file holds " << describe(stored) << ", the last done "
                           << describe(allowed.front()) << " of " << messages.size() << " reports";
    if (saveTemporaries().size() > temporariesBefore) ++interrupted;
  }
  RecordProperty("TurnsPlayed", turnsPlayed);
  RecordProperty("KillsThatInterruptedASave", interrupted);
  // Without kills that land inside a save the loop proves nothing.
  EXPECT_GT(interrupted, 0) << "no kill fell inside a save";
}

}  // namespace
