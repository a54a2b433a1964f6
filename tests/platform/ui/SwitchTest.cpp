#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Appearance.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Switch.h"

using foundation::Point;
using foundation::Rect;
using ui::Control;
using ui::Switch;
namespace ControlEvent = ui::ControlEvent;

namespace {

struct Recorder : foundation::Object {
  std::vector<std::string> events;
  void changed(const Control::Sender&) { events.push_back("changed"); }
  void upInside(const Control::Sender&) { events.push_back("inside"); }
  void primary(const Control::Sender&) { events.push_back("primary"); }
};

// A control with no superview: window coordinates are its own.
void tap(Control& control, Point down, Point up) {
  auto touch = std::make_shared<ui::Touch>(1, down, 0);
  control.touchesBegan({touch});
  touch->update(ui::TouchPhase::Ended, up, 0.1);
  control.touchesEnded({touch});
}

int alphaOf(std::uint32_t pixel) {
  return static_cast<int>(pixel >> 24);
}
int redOf(std::uint32_t pixel) {
  return static_cast<int>((pixel >> 16) & 0xff);
}
int greenOf(std::uint32_t pixel) {
  return static_cast<int>((pixel >> 8) & 0xff);
}

class SwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    graphics::Appearance::setCurrent(graphics::Appearance::Style::Light);
    ui::Application::reset();
    control = foundation::create<Switch>();
    recorder = foundation::create<Recorder>();
    control->addTarget(recorder, &Recorder::changed, ControlEvent::ValueChanged);
  }
  void TearDown() override { ui::Application::reset(); }
  std::shared_ptr<Switch> control;
  std::shared_ptr<Recorder> recorder;
};

TEST_F(SwitchTest, HasThePlatformSizeAndStartsOff) {
  EXPECT_EQ(control->frame().size, (foundation::Size{51, 31}));
  EXPECT_FALSE(control->isOn());
  EXPECT_EQ(control->knobPosition(), 0);
}

TEST_F(SwitchTest, CompletedTapFlipsItOnceAndTheKnobSlidesOverAFifthOfASecond) {
  tap(*control, {25, 15}, {30, 15});
  EXPECT_TRUE(control->isOn());
  EXPECT_EQ(recorder->events, std::vector<std::string>{"changed"});
  foundation::RunLoop::main().advance(0.1);
  EXPECT_GT(control->knobPosition(), 0.2);
  EXPECT_LT(control->knobPosition(), 0.8);
  foundation::RunLoop::main().advance(0.11);
  EXPECT_EQ(control->knobPosition(), 1);
  EXPECT_EQ(recorder->events.size(), 1u) << "the animation sends nothing more";

  tap(*control, {25, 15}, {25, 15});
  EXPECT_FALSE(control->isOn());
  foundation::RunLoop::main().advance(0.25);
  EXPECT_EQ(control->knobPosition(), 0);
  EXPECT_EQ(recorder->events.size(), 2u);
}

TEST_F(SwitchTest, TouchReleasedFarOutsideOrCancelledChangesNothing) {
  tap(*control, {25, 15}, {25, 15 + 31 + 80});
  auto touch = std::make_shared<ui::Touch>(2, Point{25, 15}, 0);
  control->touchesBegan({touch});
  touch->update(ui::TouchPhase::Cancelled, {25, 15}, 0.1);
  control->touchesCancelled({touch});
  EXPECT_FALSE(control->isOn());
  EXPECT_TRUE(recorder->events.empty());
}

TEST_F(SwitchTest, SetOnFromCodeSendsNoValueChanged) {
  control->setOn(true, false);
  EXPECT_TRUE(control->isOn());
  EXPECT_EQ(control->knobPosition(), 1) << "without animation the knob is there at once";
  control->setOn(false, true);
  EXPECT_EQ(control->knobPosition(), 1) << "with animation it starts where it was";
  foundation::RunLoop::main().advance(0.3);
  EXPECT_EQ(control->knobPosition(), 0);
  control->setOn(false, true);  // already off
  EXPECT_TRUE(recorder->events.empty());
}

TEST_F(SwitchTest, ReversingMidwayTurnsTheKnobBackFromWhereItIs) {
  control->setOn(true, true);
  foundation::RunLoop::main().advance(0.1);
  double midway = control->knobPosition();
  control->setOn(false, true);
  foundation::RunLoop::main().advance(0.02);
  EXPECT_LT(control->knobPosition(), midway);
  EXPECT_GT(control->knobPosition(), 0);
  foundation::RunLoop::main().advance(0.3);
  EXPECT_EQ(control->knobPosition(), 0);
}

TEST_F(SwitchTest, ToggleActsLikeATap) {
  control->toggle();
  EXPECT_TRUE(control->isOn());
  EXPECT_EQ(recorder->events, std::vector<std::string>{"changed"});
  foundation::RunLoop::main().advance(0.25);
  EXPECT_EQ(control->knobPosition(), 1);
}

TEST_F(SwitchTest, AValueChangedActionMayDropTheLastOwner) {
  auto parent = foundation::create<ui::View>(Rect{0, 0, 200, 200});
  parent->addSubview(control);
  control->addAction(
      [](const Control::Sender& sender) {
        std::static_pointer_cast<Switch>(sender)->removeFromSuperview();
      },
      ControlEvent::ValueChanged);
  Switch* raw = control.get();
  control.reset();
  tap(*raw, {25, 15}, {25, 15});
  EXPECT_TRUE(parent->subviews().empty());
  EXPECT_EQ(recorder->events, std::vector<std::string>{"changed"});
}

TEST_F(SwitchTest, TrackIsGreenWhenOnAndAFaintGreyWhenOff) {
  auto image = control->contentImage(1.0);
  ASSERT_TRUE(image);
  std::uint32_t offTrack = image->pixel(45, 15);  // the right end, uncovered when off
  EXPECT_GT(alphaOf(offTrack), 20);
  EXPECT_LT(alphaOf(offTrack), 70);
  std::uint32_t knob = image->pixel(15, 15);
  EXPECT_EQ(knob, 0xffffffffu) << "an opaque white knob at the off end";

  control->setOn(true, false);
  image = control->contentImage(1.0);
  std::uint32_t onTrack = image->pixel(6, 15);
  EXPECT_EQ(alphaOf(onTrack), 255);
  EXPECT_GT(greenOf(onTrack), 150);
  EXPECT_LT(redOf(onTrack), 100);
  EXPECT_EQ(image->pixel(36, 15), 0xffffffffu) << "the knob moved to the on end";
  EXPECT_EQ(image->pixel(0, 0), 0u) << "outside the rounded track stays clear";
}

TEST_F(SwitchTest, InARightToLeftInterfaceTheKnobTurnsOnToTheLeft) {
  ui::Application::shared()->setUserInterfaceLayoutDirection(
      ui::UserInterfaceLayoutDirection::RightToLeft);
  auto image = control->contentImage(1.0);
  EXPECT_EQ(image->pixel(36, 15), 0xffffffffu) << "off, the knob stands at the right";
  EXPECT_NE(image->pixel(15, 15), 0xffffffffu);
  control->setOn(true, false);
  image = control->contentImage(1.0);
  EXPECT_EQ(image->pixel(15, 15), 0xffffffffu) << "on, at the left";
  std::uint32_t onTrack = image->pixel(45, 15);
  EXPECT_EQ(alphaOf(onTrack), 255);
  EXPECT_GT(greenOf(onTrack), 150);
}

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    button = foundation::create<ui::Button>(Rect{0, 0, 120, 44});
    button->setTitle("Cancel");
    recorder = foundation::create<Recorder>();
    button->addTarget(recorder, &Recorder::upInside, ControlEvent::TouchUpInside);
    button->addTarget(recorder, &Recorder::primary, ControlEvent::PrimaryActionTriggered);
  }
  std::shared_ptr<ui::Button> button;
  std::shared_ptr<Recorder> recorder;
};

TEST_F(ButtonTest, CompletedTapSendsTouchUpInsideThenThePrimaryAction) {
  tap(*button, {60, 22}, {60, 22});
  EXPECT_EQ(recorder->events, (std::vector<std::string>{"inside", "primary"}));
  recorder->events.clear();
  tap(*button, {60, 22}, {60, 44 + 100});
  EXPECT_TRUE(recorder->events.empty());
}

TEST_F(ButtonTest, TitleIsCentredAndDimmedWhileHeld) {
  auto strongest = [&] {
    auto image = button->contentImage(1.0);
    int best = 0, minX = 120, maxX = 0;
    for (int y = 0; y < 44; ++y) {
      for (int x = 0; x < 120; ++x) {
        int a = alphaOf(image->pixel(x, y));
        best = std::max(best, a);
        if (a > 0) {
          minX = std::min(minX, x);
          maxX = std::max(maxX, x);
        }
      }
    }
    EXPECT_NEAR((minX + maxX) / 2.0, 60, 3);
    return best;
  };
  EXPECT_GT(strongest(), 200);
  auto touch = std::make_shared<ui::Touch>(1, Point{60, 22}, 0);
  button->touchesBegan({touch});
  EXPECT_LT(strongest(), 0.4 * 255 + 2);
  touch->update(ui::TouchPhase::Ended, {60, 22}, 0.1);
  button->touchesEnded({touch});
  EXPECT_GT(strongest(), 200);
  EXPECT_GT(button->intrinsicSize().width, 50);
}

}  // namespace
