#include "app/MonkeyHarness.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>
#include <typeinfo>
#include <vector>

#include "actions/connect/ConnectActionViewController.h"
#include "actions/gravity/GravityActionViewController.h"
#include "actions/magnet/MagnetActionViewController.h"
#include "actions/paint/PaintActionViewController.h"
#include "actions/swipe/SwipeActionViewController.h"
#include "actions/touch/TouchActionViewController.h"
#include "choices/ChoicesViewController.h"
#include "platform/foundation/Random.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Appearance.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableViewCell.h"
#include "settings/Defaults.h"
#include "shared/DotView.h"

namespace {

using foundation::Point;
using graphics::Appearance;

constexpr double kFrame = 1.0 / 60;
constexpr std::size_t kRecentEvents = 40;

void forEachView(const std::shared_ptr<ui::View>& view,
                 const std::function<void(const std::shared_ptr<ui::View>&)>& fn) {
  fn(view);
  // A copy: nothing here changes the tree, but the walk must not depend on it.
  auto subviews = view->subviews();
  for (const auto& subview : subviews) forEachView(subview, fn);
}

// The action number a screen shows, or -1 for a screen of no action.
std::int64_t numberOf(const std::shared_ptr<ActionViewController>& action) {
  if (std::dynamic_pointer_cast<TouchActionViewController>(action)) return 0;
  if (std::dynamic_pointer_cast<GravityActionViewController>(action)) return 1;
  if (std::dynamic_pointer_cast<SwipeActionViewController>(action)) return 2;
  if (std::dynamic_pointer_cast<ConnectActionViewController>(action)) return 3;
  if (std::dynamic_pointer_cast<MagnetActionViewController>(action)) return 4;
  if (std::dynamic_pointer_cast<PaintActionViewController>(action)) return 5;
  return -1;
}

// Along one axis, a dot [lo, hi] in a window [0, extent]: inside it, or, where
// the window is smaller than the dot, covering it (the dot keeps to the
// window's middle or to the 32-point margin, whichever the action uses). The
// slack is the contact tolerance of the dynamics engine.
bool dotHolds(double lo, double hi, double extent) {
  constexpr double kSlack = 1;
  if (extent >= hi - lo) return lo >= -kSlack && hi <= extent + kSlack;
  return lo <= kSlack && hi >= extent - kSlack;
}

std::string describe(Point p) {
  std::ostringstream out;
  out << "(" << p.x << ", " << p.y << ")";
  return out.str();
}

}  // namespace

void MonkeyHarness::TearDown() {
  foundation::Random::setSource(nullptr);
  AppHarness::TearDown();
  Appearance::setCurrent(Appearance::Style::Light);
}

void MonkeyHarness::runMonkey(std::int64_t firstAction, std::uint64_t seed, int events) {
  rng_.seed(seed);
  // The program's own draws follow the seed too, on a generator of their own so
  // that the monkey's choices do not shift with the program's.
  auto programRandom = std::make_shared<std::mt19937_64>(seed ^ 0x9e3779b97f4a7c15u);
  foundation::Random::setSource(
      [programRandom] { return std::uniform_real_distribution<double>(0, 1)(*programRandom); });
  storeReturningUser(firstAction);
  launch({1024, 768});
  auto fail = [&](const std::string& what) {
    ADD_FAILURE() << "monkey seed " << seed << ", after event " << eventsRun_ << ": " << what
                  << "\nthe events that led there, oldest first:\n"
                  << recentEvents();
  };
  auto broken = brokenInvariant();
  if (!broken.empty()) return fail("at launch: " + broken);
  while (eventsRun_ < events) {
    broken = event();
    ++eventsRun_;
    if (broken.empty()) broken = brokenInvariant();
    if (!broken.empty()) return fail(broken);
  }
  broken = fallAsleep();
  if (!broken.empty()) fail(broken);
}

double MonkeyHarness::unit() {
  return std::uniform_real_distribution<double>(0, 1)(rng_);
}

int MonkeyHarness::below(int n) {
  return std::uniform_int_distribution<int>(0, n - 1)(rng_);
}

void MonkeyHarness::log(std::string line) {
  recent_.push_back(std::to_string(eventsRun_) + " " + std::move(line));
  if (recent_.size() > kRecentEvents) recent_.pop_front();
}

std::string MonkeyHarness::recentEvents() const {
  std::string out;
  for (const auto& line : recent_) out += "  " + line + "\n";
  return out;
}

std::string MonkeyHarness::event() {
  auto app = ui::Application::shared();
  int roll = below(100);
  // Every kind of event reaches a window of 4K pixels and more, but the monkey
  // soon makes it smaller again: each of its full repaints costs a hundred
  // times a small window's, and pays for no check a small one does not make.
  if (backend->window()->pixelWidth() * backend->window()->pixelHeight() > 4000000 &&
      below(4) == 0) {
    roll = 60;
  }
  if (roll < 14) {
    auto p = anyPoint();
    log("tap " + describe(p));
    stroke(p, 0, 0);
  } else if (roll < 26) {
    auto p = targetPoint().value_or(anyPoint());
    log("tap on a control " + describe(p));
    stroke(p, 0, 0);
  } else if (roll < 36) {
    auto p = unit() < 0.7 ? targetPoint().value_or(anyPoint()) : anyPoint();
    int steps = 3 + below(23);
    log("drag from " + describe(p) + " in " + std::to_string(steps) + " steps");
    stroke(p, steps, 5 + 55 * unit());
  } else if (roll < 44) {
    auto p = targetPoint().value_or(anyPoint());
    log("fling from " + describe(p));
    stroke(p, 2 + below(3), 80 + 320 * unit());
  } else if (roll < 46) {
    auto p = unit() < 0.5 ? targetPoint().value_or(anyPoint()) : anyPoint();
    auto finger = freeFinger();
    log("finger " + std::to_string(finger) + " down at " + describe(p));
    press(p, finger);
  } else if (roll < 48) {
    if (fingers_.empty()) {
      log("no finger to move");
      return {};
    }
    auto it = std::next(fingers_.begin(), below(static_cast<int>(fingers_.size())));
    auto p = anyPoint();
    log("finger " + std::to_string(it->first) + " moves to " + describe(p));
    it->second = p;
    touch(ui::TouchPhase::Moved, p, it->first);
  } else if (roll < 50) {
    if (fingers_.empty()) {
      log("no finger to lift");
      return {};
    }
    auto it = std::next(fingers_.begin(), below(static_cast<int>(fingers_.size())));
    bool cancel = unit() < 0.2;
    log("finger " + std::to_string(it->first) + (cancel ? " cancelled" : " up"));
    auto [finger, p] = *it;
    fingers_.erase(it);
    touch(cancel ? ui::TouchPhase::Cancelled : ui::TouchPhase::Ended, p, finger);
  } else if (roll < 60) {
    sendKey();
  } else if (roll < 65) {
    resize();
  } else if (roll < 68) {
    static constexpr double kScales[] = {1, 1, 1, 1.25, 1.5, 2};
    double scale = kScales[below(6)];
    log("scale " + std::to_string(scale));
    backend->setWindowScale(scale);
  } else if (roll < 71) {
    visible_ = !visible_;
    log(visible_ ? "restored" : "minimised");
    app->setVisible(visible_);
  } else if (roll < 73) {
    active_ = !active_;
    log(active_ ? "focus gained" : "focus lost");
    app->setActive(active_);
  } else if (roll < 77) {
    log("choices asked for");
    master()->showChoices(nullptr);
  } else if (roll < 81) {
    pickChoice();
  } else if (roll < 84) {
    flipSwitch();
  } else if (roll < 86) {
    log("update alert");
    master()->presentUpdateAlert(42 + alerts_++ % 3);
  } else if (roll < 89) {
    chooseAlertButton();
  } else if (roll < 91) {
    dark_ = !dark_;
    log(dark_ ? "dark scheme" : "light scheme");
    app->setUserInterfaceStyle(dark_ ? Appearance::Style::Dark : Appearance::Style::Light);
  } else if (roll < 95) {
    auto p = anyPoint();
    bool inside = below(8) != 0;
    log("pointer " + (inside ? describe(p) : std::string("leaves")));
    window()->sendPointer({p, inside});
  } else if (roll < 99) {
    double seconds = 0.2 + 2.8 * unit();
    log("idle " + std::to_string(seconds) + " s");
    advance(seconds);
  } else {
    log("input stops");
    auto broken = fallAsleep();
    if (!broken.empty()) return broken;
  }
  // Events come a few frames apart, as a person's do. Two at least: a dynamics
  // animator takes its first step on the frame after the one that starts it,
  // so a screen built in this event shows its items where it made them until
  // then (the Magnet dot off the centre, outside a tiny window).
  frames(2 + below(3));
  return {};
}

Point MonkeyHarness::anyPoint() {
  auto b = window()->bounds();
  double w = b.width();
  double h = b.height();
  int roll = below(20);
  if (roll == 0) return {below(2) * w, below(2) * h};                       // a corner, exactly
  if (roll < 3) return {-40 + (w + 80) * unit(), -40 + (h + 80) * unit()};  // off the edge too
  return {w * unit(), h * unit()};
}

// The centre of a visible control or table row anywhere in the window: a dot,
// a row or the switch of the choices, a button of the alert.
std::optional<Point> MonkeyHarness::targetPoint() {
  std::vector<std::shared_ptr<ui::View>> targets;
  forEachView(window(), [&](const std::shared_ptr<ui::View>& v) {
    if (v->isHidden()) return;
    if (std::dynamic_pointer_cast<ui::Control>(v) ||
        std::dynamic_pointer_cast<ui::TableViewCell>(v))
      targets.push_back(v);
  });
  if (targets.empty()) return std::nullopt;
  auto v = targets[below(static_cast<int>(targets.size()))];
  return v->convertToWindow(v->bounds().center());
}

std::int64_t MonkeyHarness::freeFinger() {
  constexpr std::int64_t kFingers = 5;
  for (std::int64_t id = 1; id <= kFingers; ++id) {
    if (!fingers_.count(id)) return id;
  }
  // Every finger is down: the oldest comes up first.
  auto [id, p] = *fingers_.begin();
  fingers_.erase(fingers_.begin());
  touch(ui::TouchPhase::Ended, p, id);
  return id;
}

void MonkeyHarness::frames(int count) {
  advance(count * kFrame);
}

void MonkeyHarness::press(Point p, std::int64_t finger) {
  fingers_[finger] = p;
  touch(ui::TouchPhase::Began, p, finger);
}

// A finger down at `from`, `steps` moves a frame apart of up to `reach` points
// each, then up (now and then cancelled, as when the window loses the pointer).
void MonkeyHarness::stroke(Point from, int steps, double reach) {
  auto finger = freeFinger();
  press(from, finger);
  Point p = from;
  for (int i = 0; i < steps; ++i) {
    frames(1);
    p = {p.x + reach * (2 * unit() - 1), p.y + reach * (2 * unit() - 1)};
    touch(ui::TouchPhase::Moved, p, finger);
  }
  if (steps == 0) frames(1 + below(6));
  fingers_.erase(finger);
  touch(unit() < 0.1 ? ui::TouchPhase::Cancelled : ui::TouchPhase::Ended, p, finger);
}

void MonkeyHarness::sendKey() {
  ui::KeyEvent k;
  k.repeat = below(10) == 0;
  switch (below(10)) {
    case 0:
    case 1:
      // Ctrl+L as this desktop's keyboard reports it.
      k = {ui::Key::Character, "l", ui::Modifier::Control | ui::Modifier::Command, k.repeat};
      break;
    case 2:
      // Full screen: in, and out only while the choices are open.
      k.key = ui::Key::F11;
      break;
    case 3:
      k.key = ui::Key::Escape;
      break;
    case 4:
      k.key = ui::Key::Return;
      break;
    case 5:
      k.key = ui::Key::Space;
      break;
    case 6: {
      static constexpr ui::Key kArrows[] = {ui::Key::Up, ui::Key::Down, ui::Key::Left,
                                            ui::Key::Right};
      k.key = kArrows[below(4)];
      break;
    }
    case 7:
      k.key = ui::Key::Tab;
      break;
    default:
      k.key = ui::Key::Character;
      k.input = std::string(1, static_cast<char>('a' + below(26)));
      k.modifiers = static_cast<unsigned>(below(16));
      break;
  }
  log("key " + std::to_string(static_cast<int>(k.key)) + " '" + k.input + "' modifiers " +
      std::to_string(k.modifiers) + (k.repeat ? " repeat" : ""));
  window()->sendKey(k);
}

// Window sizes from a single point to a 4K screen, the small ones (where dots
// no longer fit) and the extremes often.
void MonkeyHarness::resize() {
  double w = 0;
  double h = 0;
  int roll = below(20);
  if (roll < 6) {
    w = 1 + below(90);
    h = 1 + below(90);
  } else if (roll < 17) {
    w = 90 + below(935);
    h = 90 + below(679);
  } else if (roll < 18) {
    w = 1920 + below(1921);
    h = 1080 + below(1081);
  } else {
    static constexpr foundation::Size kExtremes[] = {{1, 1}, {3840, 2160}, {1, 2160}, {3840, 1}};
    auto size = kExtremes[below(4)];
    w = size.width;
    h = size.height;
  }
  log("resize to " + std::to_string(static_cast<int>(w)) + "x" +
      std::to_string(static_cast<int>(h)));
  backend->resizeWindow({w, h});
}

void MonkeyHarness::pickChoice() {
  auto nav = std::dynamic_pointer_cast<ui::NavigationController>(presented());
  auto choices =
      nav ? std::dynamic_pointer_cast<ChoicesViewController>(nav->topViewController()) : nullptr;
  if (!choices) return log("no choices to pick from");
  int row = below(6);
  auto cell = choices->tableView()->cellAt({0, row});
  if (!cell) return log("no row " + std::to_string(row));
  auto p = cell->convertToWindow(cell->bounds().center());
  log("pick row " + std::to_string(row) + " at " + describe(p));
  stroke(p, 0, 0);
}

void MonkeyHarness::flipSwitch() {
  auto nav = std::dynamic_pointer_cast<ui::NavigationController>(presented());
  auto choices =
      nav ? std::dynamic_pointer_cast<ChoicesViewController>(nav->topViewController()) : nullptr;
  if (!choices || !choices->colorsSwitch) return log("no switch to flip");
  auto s = choices->colorsSwitch;
  auto p = s->convertToWindow(s->bounds().center());
  log("switch at " + describe(p));
  stroke(p, 0, 0);
}

void MonkeyHarness::chooseAlertButton() {
  auto alert = std::dynamic_pointer_cast<ui::AlertController>(presented());
  if (!alert || alert->actions().empty()) return log("no alert to answer");
  auto index = static_cast<std::size_t>(below(static_cast<int>(alert->actions().size())));
  log("alert button " + alert->actions()[index].title());
  alert->chooseAction(index);
}

std::string MonkeyHarness::brokenInvariant() {
  auto m = master();
  if (!m) return "no master screen";
  auto stored = Defaults::currentAction();
  if (!MasterViewController::isActionNumber(stored))
    return "stored action number " + std::to_string(stored);
  auto action = m->currentActionViewController;
  if (!action) return "no action screen installed";
  if (numberOf(action) != stored) {
    return "action " + std::to_string(numberOf(action)) + " installed, " + std::to_string(stored) +
           " stored";
  }
  int screens = 0;
  forEachView(window(), [&](const std::shared_ptr<ui::View>& v) {
    if (std::dynamic_pointer_cast<ActionViewController>(v->viewController())) ++screens;
  });
  if (screens != 1) return std::to_string(screens) + " action screens in the window";
  if (action->view()->superview() != m->view()) return "the action screen is not on the master";

  auto bounds = window()->bounds();
  std::string broken;
  forEachView(action->view(), [&](const std::shared_ptr<ui::View>& v) {
    if (!broken.empty() || !std::dynamic_pointer_cast<DotView>(v)) return;
    auto origin = v->convertToWindow({0, 0});
    auto size = v->bounds().size;
    if (dotHolds(origin.x, origin.x + size.width, bounds.width()) &&
        dotHolds(origin.y, origin.y + size.height, bounds.height()))
      return;
    std::ostringstream out;
    out << "action " << stored << ": a dot at " << describe(origin) << " size " << size.width << "x"
        << size.height << " outside the window " << bounds.width() << "x" << bounds.height();
    broken = out.str();
  });
  return broken;
}

std::string MonkeyHarness::fallAsleep() {
  while (!fingers_.empty()) {
    auto [id, p] = *fingers_.begin();
    fingers_.erase(fingers_.begin());
    touch(ui::TouchPhase::Ended, p, id);
  }
  // The update check's answer may still be on its way from the Background queue.
  waitForBackground();
  auto& loop = foundation::RunLoop::main();
  int frame = 0;
  for (; frame < kSleepFrames && loop.hasPendingWork(); ++frame) frames(1);
  std::vector<std::string> animating;
  forEachView(window(), [&](const std::shared_ptr<ui::View>& v) {
    if (v->isAnimating()) animating.push_back(typeid(*v).name());
  });
  if (loop.hasPendingWork() || !animating.empty()) {
    std::string out = "the run loop still works " + std::to_string(kSleepFrames) +
                      " frames after input stopped; animating views:";
    for (const auto& name : animating) out += " " + name;
    return out;
  }
  auto presented = window()->framesPresented();
  advance(10);
  if (window()->framesPresented() != presented || loop.hasPendingWork())
    return "the run loop woke by itself after falling asleep";
  log("asleep after " + std::to_string(frame) + " frames");
  return {};
}
