#include <gtest/gtest.h>

#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Control.h"

using foundation::Point;
using foundation::Rect;
using ui::Control;
using ui::ControlEvent::TouchCancel;
using ui::ControlEvent::TouchDown;
using ui::ControlEvent::TouchUpInside;
using ui::ControlEvent::TouchUpOutside;

namespace {

struct Recorder : foundation::Object {
  std::vector<std::string> events;
  void down(const Control::Sender&) { events.push_back("down"); }
  void upInside(const Control::Sender&) { events.push_back("inside"); }
  void upOutside(const Control::Sender&) { events.push_back("outside"); }
  void cancel(const Control::Sender&) { events.push_back("cancel"); }
};

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    control = foundation::create<Control>(Rect{0, 0, 64, 64});
    recorder = foundation::create<Recorder>();
    control->addTarget(recorder, &Recorder::down, TouchDown);
    control->addTarget(recorder, &Recorder::upInside, TouchUpInside);
    control->addTarget(recorder, &Recorder::upOutside, TouchUpOutside);
    control->addTarget(recorder, &Recorder::cancel, TouchCancel);
  }
  // A control with no superview: window coordinates are its own.
  void tap(Point down, Point up) {
    auto touch = std::make_shared<ui::Touch>(1, down, 0);
    touch->setView(control);
    control->touchesBegan({touch});
    touch->update(ui::TouchPhase::Moved, up, 0.05);
    control->touchesMoved({touch});
    touch->update(ui::TouchPhase::Ended, up, 0.1);
    control->touchesEnded({touch});
  }
  std::shared_ptr<Control> control;
  std::shared_ptr<Recorder> recorder;
};

TEST_F(ControlTest, ReleaseCountsAsInsideUpToSeventyPointsBeyondTheBounds) {
  tap({32, 32}, {32, 32});
  tap({32, 32}, {64 + 69, 32});
  tap({32, 32}, {-69, -69});
  EXPECT_EQ(recorder->events,
            (std::vector<std::string>{"down", "inside", "down", "inside", "down", "inside"}));
  recorder->events.clear();
  tap({32, 32}, {64 + 71, 32});
  tap({32, 32}, {32, -71});
  EXPECT_EQ(recorder->events, (std::vector<std::string>{"down", "outside", "down", "outside"}));
}

TEST_F(ControlTest, HighlightFollowsTheTouchAndCancelReachesTheTarget) {
  auto touch = std::make_shared<ui::Touch>(1, Point{10, 10}, 0);
  control->touchesBegan({touch});
  EXPECT_TRUE(control->isHighlighted());
  touch->update(ui::TouchPhase::Moved, {300, 300}, 0.1);
  control->touchesMoved({touch});
  EXPECT_FALSE(control->isHighlighted());
  touch->update(ui::TouchPhase::Cancelled, {300, 300}, 0.2);
  control->touchesCancelled({touch});
  EXPECT_EQ(recorder->events, (std::vector<std::string>{"down", "cancel"}));
  EXPECT_FALSE(control->isTracking());
}

TEST_F(ControlTest, TargetsAreHeldWeaklyAndOneEventCanCarrySeveralActions) {
  EXPECT_EQ(control->actionCount(TouchUpOutside | TouchCancel), 2u);
  std::weak_ptr<Recorder> weak = recorder;
  recorder.reset();
  EXPECT_TRUE(weak.expired());
  tap({1, 1}, {1, 1});  // a gone target is skipped, not called
  SUCCEED();
}

TEST_F(ControlTest, AnActionThatRemovesTheControlDoesNotDestroyItMidDispatch) {
  auto parent = foundation::create<ui::View>(Rect{0, 0, 200, 200});
  parent->addSubview(control);
  std::weak_ptr<Control> weak = control;
  control->addAction(
      [](const Control::Sender& sender) {
        std::static_pointer_cast<Control>(sender)->removeFromSuperview();
      },
      TouchUpInside);
  auto touch = std::make_shared<ui::Touch>(1, Point{10, 10}, 0);
  control->touchesBegan({touch});
  touch->update(ui::TouchPhase::Ended, {10, 10}, 0.1);
  Control* raw = control.get();
  control.reset();  // only the parent owns it now
  raw->touchesEnded({touch});
  EXPECT_TRUE(parent->subviews().empty());
  EXPECT_TRUE(weak.expired()) << "released once its actions have run";
  EXPECT_EQ(recorder->events.back(), "inside") << "actions after the removing one still ran";
}

}  // namespace
