#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/dynamics/DynamicAnimator.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/View.h"

// A round item, as the dots are.
class RoundItem : public ui::View {
 public:
  using View::View;
  ui::CollisionBoundsType collisionBoundsType() const override {
    return ui::CollisionBoundsType::Ellipse;
  }
};

class DynamicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    reference = foundation::create<ui::View>(foundation::Rect{0, 0, 800, 600});
    animator = foundation::create<dynamics::DynamicAnimator>(reference);
  }

  std::shared_ptr<RoundItem> dot(foundation::Point centre, double diameter = 64) {
    auto item = foundation::create<RoundItem>(
        foundation::Rect{centre.x - diameter / 2, centre.y - diameter / 2, diameter, diameter});
    reference->addSubview(item);
    return item;
  }
  static void advance(double seconds) { foundation::RunLoop::main().advance(seconds); }

  std::shared_ptr<ui::View> reference;
  std::shared_ptr<dynamics::DynamicAnimator> animator;
};
