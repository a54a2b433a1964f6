#include <cmath>
#include <numbers>

#include "DynamicsFixture.h"
#include "platform/dynamics/AttachmentBehavior.h"
#include "platform/dynamics/DynamicItemBehavior.h"
#include "platform/dynamics/GravityBehavior.h"
#include "platform/dynamics/PushBehavior.h"

using namespace dynamics;
using foundation::Point;

namespace {

std::shared_ptr<DynamicItemBehavior> withoutResistance(Behavior::Items items) {
  auto behavior = foundation::create<DynamicItemBehavior>(std::move(items));
  behavior->setResistance(0);
  return behavior;
}

TEST_F(DynamicsTest, GravityOfPointEightFallsAtEightHundredPointsPerSecondSquared) {
  auto small = dot({200, 100}, 64);
  auto large = dot({500, 100}, 128);
  auto gravity = foundation::create<GravityBehavior>(Behavior::Items{small, large});
  gravity->setGravityDirection({0, 0.8});
  auto material = withoutResistance({small, large});
  animator->addBehavior(gravity);
  animator->addBehavior(material);
  advance(0.5);

  EXPECT_NEAR(material->linearVelocityForItem(*small).y, 400, 4);
  EXPECT_NEAR(material->linearVelocityForItem(*small).x, 0, 1e-6);
  // Semi-implicit Euler at 1/120 s falls a little further than ½gt² = 100.
  EXPECT_NEAR(small->center().y - 100, 100, 3);
  EXPECT_EQ(large->center().y - 100, small->center().y - 100) << "acceleration ignores mass";
}

TEST_F(DynamicsTest, InstantaneousPushChangesVelocityByImpulseOverMassOnceThenTurnsOff) {
  auto item = dot({400, 300});
  auto push =
      foundation::create<PushBehavior>(Behavior::Items{item}, PushBehavior::Mode::Instantaneous);
  push->setAngle(std::numbers::pi / 2, 0.36);
  auto material = withoutResistance({item});
  animator->addBehavior(push);
  animator->addBehavior(material);
  advance(0.1);

  // A 64-point dot of density 1 weighs 64·64/10000 kg: 100 × 0.36 / 0.4096 pt/s.
  const double expected = 100 * 0.36 / 0.4096;
  Point velocity = material->linearVelocityForItem(*item);
  EXPECT_NEAR(velocity.y, expected, 0.01);
  EXPECT_NEAR(velocity.x, 0, 1e-4);
  EXPECT_FALSE(push->active());

  advance(0.1);
  EXPECT_NEAR(material->linearVelocityForItem(*item).y, expected, 0.01) << "pushed only once";
  push->setActive(true);
  advance(0.1);
  EXPECT_NEAR(material->linearVelocityForItem(*item).y, 2 * expected, 0.02);
}

TEST_F(DynamicsTest, MassFollowsTheBoundsAndDensityWhateverTheShape) {
  auto ellipse = foundation::create<RoundItem>(foundation::Rect{100, 100, 80, 40});
  auto box = foundation::create<ui::View>(foundation::Rect{400, 100, 80, 40});
  reference->addSubview(ellipse);
  reference->addSubview(box);
  auto push = foundation::create<PushBehavior>(Behavior::Items{ellipse, box},
                                               PushBehavior::Mode::Instantaneous);
  push->setAngle(0, 0.64);
  auto material = withoutResistance({ellipse, box});
  material->setDensity(2);
  animator->addBehavior(push);
  animator->addBehavior(material);
  advance(0.05);
  // 2 × 80 × 40 / 10000 = 0.64 kg: 100 pt/s from 0.64 N·s, for either shape.
  EXPECT_NEAR(material->linearVelocityForItem(*ellipse).x, 100, 0.01);
  EXPECT_NEAR(material->linearVelocityForItem(*box).x, 100, 0.01);
}

TEST_F(DynamicsTest, ResistanceSlowsAGlidingItemToRestAndTheAnimatorStops) {
  auto item = dot({100, 300});
  auto push =
      foundation::create<PushBehavior>(Behavior::Items{item}, PushBehavior::Mode::Instantaneous);
  push->setAngle(0, 0.36);
  auto material = foundation::create<DynamicItemBehavior>(Behavior::Items{item});
  material->setResistance(6);
  animator->addBehavior(push);
  animator->addBehavior(material);
  advance(0.05);
  EXPECT_TRUE(animator->isRunning());
  double moving = item->center().x;
  EXPECT_GT(moving, 100);
  advance(5);
  EXPECT_FALSE(animator->isRunning()) << "every body sleeps, so no more frames";
  EXPECT_FALSE(foundation::RunLoop::main().hasPendingWork());
  // Glide distance v/resistance ≈ 87.9 / 6.
  EXPECT_NEAR(item->center().x - 100, 87.890625 / 6, 2);
}

TEST_F(DynamicsTest, SpringSwingsWithItsFrequencyAndDecaysSlowly) {
  const Point anchor{400, 300};
  auto item = dot({300, 300});
  auto spring = foundation::create<AttachmentBehavior>(item, anchor);
  EXPECT_DOUBLE_EQ(spring->length(), 100) << "the length starts as the distance";
  spring->setFrequency(2.4);
  spring->setDamping(0.06);
  spring->setLength(0);
  animator->addBehavior(spring);

  // Sample every frame: the upward zero crossings, and the peak after each.
  std::vector<double> crossings, peaks;
  double previous = item->center().x - anchor.x;
  for (int frame = 1; frame <= 180; ++frame) {
    advance(1.0 / 60);
    double offset = item->center().x - anchor.x;
    if (previous < 0 && offset >= 0) {
      crossings.push_back(frame / 60.0);
      peaks.push_back(0);
    }
    if (!peaks.empty()) peaks.back() = std::max(peaks.back(), offset);
    previous = offset;
  }
  ASSERT_GE(crossings.size(), 6u);
  double period = (crossings.back() - crossings.front()) / (crossings.size() - 1);
  EXPECT_NEAR(period, 1 / 2.4, 0.01);
  // Damping ratio 0.06 with the default resistance 0.1 keeps e^(-0.955 T) ≈ 0.67
  // of each swing: far from the quick numerical death of Box2D's mouse joint.
  EXPECT_NEAR(peaks[0], 100 * std::exp(-0.955 * period / 2), 4);
  for (std::size_t i = 1; i + 1 < peaks.size(); ++i) {
    EXPECT_NEAR(peaks[i] / peaks[i - 1], 0.67, 0.05) << "swing " << i;
  }
  EXPECT_NEAR(item->center().y, anchor.y, 1) << "no sideways motion";
  EXPECT_TRUE(animator->isRunning()) << "still swinging after three seconds";
}

TEST_F(DynamicsTest, FrequencyZeroIsARigidRodOfTheGivenLength) {
  const Point anchor{400, 100};
  auto item = dot({500, 100});
  auto rod = foundation::create<AttachmentBehavior>(item, anchor);
  rod->setLength(150);
  animator->addBehavior(rod);
  animator->addBehavior(foundation::create<GravityBehavior>(Behavior::Items{item}));
  double lowest = 0;
  for (int frame = 0; frame < 120; ++frame) {
    advance(1.0 / 60);
    Point offset = item->center() - anchor;
    EXPECT_NEAR(std::hypot(offset.x, offset.y), 150, 1.5) << "frame " << frame;
    lowest = std::max(lowest, offset.y);
  }
  EXPECT_GT(lowest, 140) << "it swung down through the bottom of its circle";
}

TEST_F(DynamicsTest, ChangingGravityWakesAnAnimatorAtRest) {
  auto item = dot({400, 300});
  auto gravity = foundation::create<GravityBehavior>(Behavior::Items{item});
  gravity->setGravityDirection({0, 0});
  animator->addBehavior(gravity);
  advance(2);
  ASSERT_FALSE(animator->isRunning());
  gravity->setGravityDirection({0.3, 0});
  EXPECT_TRUE(animator->isRunning());
  advance(0.5);
  EXPECT_GT(item->center().x, 420);
}

TEST_F(DynamicsTest, AnItemMovedByCodeContinuesFromThereAtRest) {
  auto item = dot({100, 100});
  auto push =
      foundation::create<PushBehavior>(Behavior::Items{item}, PushBehavior::Mode::Instantaneous);
  push->setAngle(0, 1);
  auto material = withoutResistance({item});
  animator->addBehavior(push);
  animator->addBehavior(material);
  advance(0.1);
  ASSERT_GT(item->center().x, 120);
  item->setCenter({600, 500});
  advance(0.1);
  EXPECT_EQ(item->center(), (Point{600, 500}));
  EXPECT_EQ(material->linearVelocityForItem(*item), (Point{0, 0}));
}

TEST_F(DynamicsTest, RemovingEveryBehaviourLeavesTheItemWhereItIs) {
  auto item = dot({100, 100});
  auto gravity = foundation::create<GravityBehavior>(Behavior::Items{item});
  animator->addBehavior(gravity);
  advance(0.2);
  Point stopped = item->center();
  ASSERT_GT(stopped.y, 100);
  animator->removeAllBehaviors();
  EXPECT_TRUE(animator->behaviors().empty());
  advance(0.5);
  EXPECT_EQ(item->center(), stopped);
  EXPECT_FALSE(animator->isRunning());
}

TEST_F(DynamicsTest, AnAnimatorGoneMidFlightLeavesTheLoopIdle) {
  auto item = dot({100, 100});
  animator->addBehavior(foundation::create<GravityBehavior>(Behavior::Items{item}));
  advance(0.1);
  animator.reset();
  advance(0.1);
  EXPECT_FALSE(foundation::RunLoop::main().hasPendingWork());
}

}  // namespace
