#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "app/AppHarness.h"

// The whole program under random abuse: touches, drags, flings, keys, window
// sizes and scales, background and activation, the choices, the update alert
// and colour-scheme flips, on the virtual clock, from one seed. The seed also
// drives the program's own random draws, so a seed replays a run exactly.
class MonkeyHarness : public AppHarness {
 protected:
  void TearDown() override;

  // Launches on `firstAction` as a returning user and sends `events` random
  // events, checking the invariants after each and that the program falls
  // asleep whenever input stops. The first broken invariant ends the run; its
  // message names the seed, the event and the events that led there.
  void runMonkey(std::int64_t firstAction, std::uint64_t seed, int events);

  int eventsRun() const { return eventsRun_; }

  // What must hold after every event: exactly one action screen installed, the
  // stored action number valid and naming it, every dot inside the window.
  // Empty when all hold.
  std::string brokenInvariant();
  // Lifts every finger and lets time pass until the run loop has nothing to do:
  // no animation, dynamics, timer or posted work. Empty when it went to sleep
  // within the bound and stayed asleep.
  std::string fallAsleep();

  // The loop is asleep within this many frames of the last input: the longest
  // settling (Gravity's dots coming to rest in a large window) takes a few seconds.
  static constexpr int kSleepFrames = 60 * 30;

 private:
  // One random event; the message of a broken check it made, else empty.
  std::string event();
  double unit();
  int below(int n);
  void log(std::string line);
  std::string recentEvents() const;

  // The pieces of input a person or the desktop sends.
  foundation::Point anyPoint();
  std::optional<foundation::Point> targetPoint();
  std::int64_t freeFinger();
  void frames(int count);
  void press(foundation::Point p, std::int64_t finger);
  void stroke(foundation::Point from, int steps, double reach);
  void sendKey();
  void resize();
  void pickChoice();
  void flipSwitch();
  void chooseAlertButton();

  std::mt19937_64 rng_;
  std::map<std::int64_t, foundation::Point> fingers_;
  std::deque<std::string> recent_;
  int eventsRun_ = 0;
  bool visible_ = true;
  bool active_ = true;
  bool dark_ = false;
  int alerts_ = 0;
};
