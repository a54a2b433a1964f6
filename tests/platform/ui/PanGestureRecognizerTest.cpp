#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/headless/HeadlessWindowPeer.h"
#include "platform/ui/Control.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "platform/ui/Window.h"

using foundation::Point;
using foundation::Rect;
using ui::GestureRecognizer;
using ui::PanGestureRecognizer;
using ui::TouchPhase;
using State = GestureRecognizer::State;

namespace {

struct Recorder : foundation::Object {
  std::vector<std::string> events;
  std::vector<State> states;
  std::vector<Point> translations;
  Point lastVelocity;
  std::shared_ptr<ui::View> measuredIn;
  void cancel(const ui::Control::Sender&) { events.push_back("cancel"); }
  void down(const ui::Control::Sender&) { events.push_back("down"); }
  void up(const ui::Control::Sender&) { events.push_back("up"); }
  void pan(const GestureRecognizer::Sender& sender) {
    auto pan = std::dynamic_pointer_cast<PanGestureRecognizer>(sender);
    states.push_back(pan->state());
    translations.push_back(pan->translationInView(measuredIn.get()));
    lastVelocity = pan->velocityInView(measuredIn.get());
    events.push_back("pan");
  }
};

class PanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    window = foundation::create<ui::Window>(
        std::make_shared<headless::HeadlessWindowPeer>(foundation::Size{400, 300}));
    window->setFrame({0, 0, 400, 300});
    container = foundation::create<ui::View>(Rect{50, 50, 300, 200});
    window->addSubview(container);
    control = foundation::create<ui::Control>(Rect{100, 50, 64, 64});
    container->addSubview(control);
    pan = foundation::create<PanGestureRecognizer>();
    control->addGestureRecognizer(pan);
    recorder = foundation::create<Recorder>();
    recorder->measuredIn = container;
    pan->addTarget(recorder, &Recorder::pan);
    control->addTarget(recorder, &Recorder::down, ui::ControlEvent::TouchDown);
    control->addTarget(recorder, &Recorder::up,
                       ui::ControlEvent::TouchUpInside | ui::ControlEvent::TouchUpOutside);
    control->addTarget(recorder, &Recorder::cancel, ui::ControlEvent::TouchCancel);
  }
  void send(TouchPhase phase, Point location, double time) {
    window->sendTouch({1, phase, location, time});
  }

  std::shared_ptr<ui::Window> window;
  std::shared_ptr<ui::View> container;
  std::shared_ptr<ui::Control> control;
  std::shared_ptr<PanGestureRecognizer> pan;
  std::shared_ptr<Recorder> recorder;
};

TEST_F(PanTest, AMovementWithinTheThresholdStaysATapForTheControl) {
  send(TouchPhase::Began, {180, 130}, 0);
  send(TouchPhase::Moved, {186, 138}, 0.05);  // exactly 10 points away
  send(TouchPhase::Ended, {186, 138}, 0.1);
  EXPECT_EQ(recorder->events, (std::vector<std::string>{"down", "up"}));
  EXPECT_EQ(pan->state(), State::Possible) << "failed, then ready again";
}

TEST_F(PanTest, BeginningCancelsTheControlsTouchAndTranslationCountsFromTouchDown) {
  send(TouchPhase::Began, {180, 130}, 0);
  send(TouchPhase::Moved, {186, 138.1}, 0.05);  // just beyond 10 points
  send(TouchPhase::Moved, {200, 150}, 0.1);
  send(TouchPhase::Ended, {200, 150}, 0.15);
  EXPECT_EQ(recorder->events, (std::vector<std::string>{"down", "cancel", "pan", "pan", "pan"}))
      << "cancelled before the gesture's action; no touch-up after it";
  EXPECT_EQ(recorder->states, (std::vector<State>{State::Began, State::Changed, State::Ended}));
  EXPECT_NEAR(recorder->translations[0].x, 6, 1e-9);
  EXPECT_NEAR(recorder->translations[0].y, 8.1, 1e-9);
  EXPECT_EQ(recorder->translations[2], (Point{20, 20}));
  EXPECT_FALSE(control->isTracking());
}

TEST_F(PanTest, VelocityIsTheDisplacementOverTheLastTenthOfASecond) {
  send(TouchPhase::Began, {160, 110}, 0);
  // Slow at first, then (15, 20) every 0.05 s: 300 by 400 points per second.
  send(TouchPhase::Moved, {160, 130}, 0.2);
  send(TouchPhase::Moved, {175, 150}, 0.25);
  send(TouchPhase::Moved, {190, 170}, 0.3);
  send(TouchPhase::Moved, {205, 190}, 0.35);
  send(TouchPhase::Ended, {205, 190}, 0.35);
  EXPECT_NEAR(recorder->lastVelocity.x, 300, 1e-6);
  EXPECT_NEAR(recorder->lastVelocity.y, 400, 1e-6);
}

TEST_F(PanTest, AFingerHeldStillBeforeReleaseHasNoVelocity) {
  send(TouchPhase::Began, {160, 110}, 0);
  send(TouchPhase::Moved, {210, 110}, 0.05);
  send(TouchPhase::Moved, {210, 110}, 0.5);
  send(TouchPhase::Ended, {210, 110}, 0.6);
  ASSERT_EQ(recorder->states.back(), State::Ended);
  EXPECT_EQ(recorder->lastVelocity, (Point{0, 0}));
}

TEST_F(PanTest, ASystemCancelEndsARecognisedPanAsCancelled) {
  send(TouchPhase::Began, {180, 130}, 0);
  send(TouchPhase::Moved, {220, 130}, 0.05);
  window->cancelAllTouches();
  EXPECT_EQ(recorder->states.back(), State::Cancelled);
  EXPECT_EQ(std::count(recorder->events.begin(), recorder->events.end(), "cancel"), 1)
      << "the control was cancelled once, when the pan began";
}

TEST_F(PanTest, ARecogniserOnAnAncestorSeesTouchesOfItsDescendants) {
  auto outer = foundation::create<PanGestureRecognizer>();
  container->addGestureRecognizer(outer);
  auto outerRecorder = foundation::create<Recorder>();
  outer->addTarget(outerRecorder, &Recorder::pan);
  send(TouchPhase::Began, {180, 130}, 0);
  send(TouchPhase::Moved, {230, 130}, 0.05);
  EXPECT_EQ(outerRecorder->states, (std::vector<State>{State::Began}));
  EXPECT_EQ(recorder->states, (std::vector<State>{State::Began}));
}

}  // namespace
