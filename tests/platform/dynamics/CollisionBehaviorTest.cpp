#include <cmath>
#include <numbers>
#include <vector>

#include "DynamicsFixture.h"
#include "platform/dynamics/CollisionBehavior.h"
#include "platform/dynamics/DynamicItemBehavior.h"
#include "platform/dynamics/GravityBehavior.h"
#include "platform/dynamics/PushBehavior.h"
#include "platform/dynamics/Simulation.h"

using namespace dynamics;
using foundation::EdgeInsets;
using foundation::Point;
using foundation::Rect;

namespace {

class Recorder : public CollisionBehaviorDelegate {
 public:
  void collisionBegan(CollisionBehavior& behavior, const std::shared_ptr<ui::View>& item,
                      const std::shared_ptr<ui::View>& other) override {
    began.push_back({item, other});
    if (onBegan) onBegan(behavior);
  }
  struct Pair {
    std::shared_ptr<ui::View> item, other;
  };
  std::vector<Pair> began;
  std::function<void(CollisionBehavior&)> onBegan;
};

class CollisionTest : public DynamicsTest {
 protected:
  // Three dots flung in different directions under gravity, bouncing inside
  // the reference bounds inset by a top and bottom safe area.
  void flingThreeDots() {
    dots = {dot({100, 100}), dot({400, 300}), dot({700, 500})};
    Behavior::Items items(dots.begin(), dots.end());
    collision = foundation::create<CollisionBehavior>(items);
    collision->setTranslatesReferenceBoundsIntoBoundaryWithInsets(insets);
    collision->setCollisionMode(CollisionBehavior::Everything);
    auto gravity = foundation::create<GravityBehavior>(items);
    gravity->setGravityDirection({0, 0.8});
    material = foundation::create<DynamicItemBehavior>(items);
    material->setElasticity(0.76);
    material->setFriction(0.06);
    material->setAllowsRotation(false);
    animator->addBehavior(collision);
    animator->addBehavior(gravity);
    animator->addBehavior(material);
    double angle = 0;
    for (auto& item : dots) {
      auto push = foundation::create<PushBehavior>(Behavior::Items{item},
                                                   PushBehavior::Mode::Instantaneous);
      push->setAngle(angle += 2.1, 4);  // about 1000 pt/s
      animator->addBehavior(push);
    }
  }
  void expectInside(const Rect& area) {
    for (auto& item : dots) {
      Rect frame = item->frame();
      EXPECT_GE(frame.minX(), area.minX() - 0.5);
      EXPECT_GE(frame.minY(), area.minY() - 0.5);
      EXPECT_LE(frame.maxX(), area.maxX() + 0.5);
      EXPECT_LE(frame.maxY(), area.maxY() + 0.5);
    }
  }

  EdgeInsets insets{24, 0, 20, 0};
  std::vector<std::shared_ptr<RoundItem>> dots;
  std::shared_ptr<CollisionBehavior> collision;
  std::shared_ptr<DynamicItemBehavior> material;
};

TEST_F(CollisionTest, DotsStayInsideTheInsetBoundaryAndComeToRestOnItsFloor) {
  flingThreeDots();
  Rect area = reference->bounds().insetBy(insets);
  for (int frame = 0; frame < 60 * 20 && animator->isRunning(); ++frame) {
    advance(1.0 / 60);
    expectInside(area);
    if (HasFailure()) FAIL() << "escaped at frame " << frame;
  }
  EXPECT_FALSE(animator->isRunning()) << "at rest within 20 s";
  int onFloor = 0;
  for (auto& item : dots) {
    if (std::abs(item->frame().maxY() - area.maxY()) <= 2) ++onFloor;
  }
  EXPECT_GE(onFloor, 2) << "at most one rests on another";
}

TEST_F(CollisionTest, AShrinkingReferenceLeavesNoDotOutside) {
  flingThreeDots();
  advance(0.3);
  reference->setFrame({0, 0, 300, 200});
  advance(1.0 / 60);
  Rect area = reference->bounds().insetBy(insets);
  expectInside(area);
  for (int frame = 0; frame < 120; ++frame) {
    advance(1.0 / 60);
    expectInside(area);
  }
}

TEST_F(CollisionTest, DotsLargerThanTheBoundaryArePinnedInItsMiddleAndComeToRest) {
  // Too narrow, too low, or both (a window below its minimum size): where a dot
  // cannot fit it stays on the boundary's middle line; everything else goes on
  // as usual, and the animator stops asking for frames.
  for (Rect bounds :
       {Rect{0, 0, 2, 2}, Rect{0, 0, 60, 60}, Rect{0, 0, 60, 480}, Rect{0, 0, 500, 40}}) {
    SetUp();
    insets = {};
    reference->setFrame(bounds);
    flingThreeDots();
    for (int frame = 0; frame < 60 * 60 && animator->isRunning(); ++frame) advance(1.0 / 60);
    EXPECT_FALSE(animator->isRunning()) << bounds.width() << "x" << bounds.height();
    for (auto& item : dots) {
      Point c = item->center();
      if (bounds.width() < 64) {
        EXPECT_NEAR(c.x, bounds.midX(), 0.5);
      }
      if (bounds.height() < 64) {
        EXPECT_NEAR(c.y, bounds.midY(), 0.5);
      } else {
        EXPECT_LE(item->frame().maxY(), bounds.maxY() + 0.5);
        EXPECT_GT(item->frame().maxY(), bounds.maxY() - 3 * 64) << "on the floor or on a dot";
      }
    }
  }
}

TEST_F(CollisionTest, CodeMovingAnItemOrShrinkingTheReferenceWakesAnAnimatorAtRest) {
  flingThreeDots();
  advance(20);
  ASSERT_FALSE(animator->isRunning());

  dots[0]->setCenter({400, 100});
  EXPECT_TRUE(animator->isRunning());
  advance(12);  // long enough to bounce out a drop of 450 points
  EXPECT_NEAR(dots[0]->frame().maxY(), 580, 70) << "fell back to the floor (or onto a dot)";

  advance(20);
  ASSERT_FALSE(animator->isRunning());
  reference->setFrame({0, 0, 300, 200});
  EXPECT_TRUE(animator->isRunning());
  advance(1.0 / 60);
  expectInside(reference->bounds().insetBy(insets));
}

// One dot alone against the plain reference bounds, without resistance, so
// that every change of its speed comes from the boundary (and gravity).
class BounceTest : public DynamicsTest {
 protected:
  void SetUp() override {
    DynamicsTest::SetUp();
    // One substep per frame: every velocity the animator passes through is seen.
    foundation::RunLoop::main().setFrameInterval(Simulation::kStep);
  }
  void start(Point centre, double elasticity) {
    animator = foundation::create<DynamicAnimator>(reference);
    if (item) item->removeFromSuperview();
    item = dot(centre);
    auto collision = foundation::create<CollisionBehavior>(Behavior::Items{item});
    collision->setTranslatesReferenceBoundsIntoBoundaryWithInsets({});
    collision->setCollisionMode(CollisionBehavior::Boundaries);
    material = foundation::create<DynamicItemBehavior>(Behavior::Items{item});
    material->setResistance(0);
    material->setElasticity(elasticity);
    animator->addBehavior(collision);
    animator->addBehavior(material);
  }
  Point velocity() const { return material->linearVelocityForItem(*item); }

  std::shared_ptr<RoundItem> item;
  std::shared_ptr<DynamicItemBehavior> material;
};

TEST_F(BounceTest, AWallReturnsElasticityTimesTheImpactSpeedWhateverTheSpeedAndPhase) {
  const double mass = 64.0 * 64 / 10000;
  const double elasticity = 0.76;
  // Towards the floor and towards the left wall, from a little over 40 points
  // away, in steps of an eighth of a substep's travel: the impact falls at
  // every phase of the substep.
  for (bool floor : {true, false}) {
    for (double speed : {150.0, 400.0, 1000.0, 2500.0}) {
      for (int phase = 0; phase < 8; ++phase) {
        double gap = 40 + speed * Simulation::kStep * phase / 8;
        start(floor ? Point{400, 568 - gap} : Point{32 + gap, 300}, elasticity);
        auto push = foundation::create<PushBehavior>(Behavior::Items{item},
                                                     PushBehavior::Mode::Instantaneous);
        push->setAngle(floor ? std::numbers::pi / 2 : std::numbers::pi, speed * mass / 100);
        animator->addBehavior(push);
        advance(gap / speed + 0.1);
        Point v = velocity();
        double normal = floor ? -v.y : v.x, along = floor ? v.x : v.y;
        EXPECT_NEAR(normal, elasticity * speed, 0.01 * speed)
            << (floor ? "floor" : "left wall") << " at " << speed << " pt/s, phase " << phase;
        EXPECT_NEAR(along, 0, 1e-3);
      }
    }
  }
}

TEST_F(BounceTest, ADropBouncesTheSeriesItsElasticityGivesUntilTheRestitutionThreshold) {
  // Dropped 383 points above where it rests, under 800 pt/s², it lands at
  // sqrt(2 · 800 · 383) ≈ 783 pt/s. The contact of each landing meets that
  // speed plus one substep of gravity and returns 0.76 of it, which the flight
  // brings back down: landing k+1 = 0.76 · (landing k + 800/120). Box2D
  // returns no bounce when the contact meets less than its restitution
  // threshold of 1 m/s (100 pt/s): landings 0 to 8 bounce (the last at about
  // 105 pt/s), the tenth, at about 85, does not.
  const double elasticity = 0.76, g = 800, threshold = 100;
  const double gain = g * Simulation::kStep;
  start({400, 185}, elasticity);
  auto gravity = foundation::create<GravityBehavior>(Behavior::Items{item});
  gravity->setGravityDirection({0, 0.8});
  animator->addBehavior(gravity);
  const double landing = std::sqrt(2 * g * 383);
  std::vector<double> expected;
  for (double v = landing; v + gain > threshold; v = elasticity * (v + gain)) expected.push_back(v);
  ASSERT_EQ(expected.size(), 9u);

  std::vector<double> impacts, rebounds;
  double last = 0;
  for (int step = 0; step < 120 * 20 && animator->isRunning(); ++step) {
    advance(Simulation::kStep);
    double vy = velocity().y;
    if (last > 0 && vy < -1) {
      impacts.push_back(last);
      rebounds.push_back(-vy);
    }
    last = vy;
  }
  EXPECT_FALSE(animator->isRunning()) << "comes to rest";
  EXPECT_NEAR(item->frame().maxY(), 600, 1.5);
  ASSERT_EQ(impacts.size(), expected.size()) << "bounces";
  // Bounce by bounce: a landing is sampled up to a substep before its contact,
  // and a flight without resistance lands as fast as it rose.
  EXPECT_NEAR(impacts[0], landing, gain + 0.01 * landing);
  for (std::size_t k = 0; k < impacts.size(); ++k) {
    EXPECT_NEAR(rebounds[k], elasticity * (impacts[k] + gain), 0.01 * impacts[k]) << "bounce " << k;
    if (k > 0) {
      EXPECT_NEAR(impacts[k], rebounds[k - 1], gain) << "landing " << k;
    }
  }
}

TEST_F(CollisionTest, ItemsPassThroughEachOtherUnlessTheModeIncludesItems) {
  auto left = dot({200, 300});
  auto right = dot({600, 300});
  collision = foundation::create<CollisionBehavior>(Behavior::Items{left, right});
  collision->setCollisionMode(CollisionBehavior::Boundaries);
  auto pushLeft =
      foundation::create<PushBehavior>(Behavior::Items{left}, PushBehavior::Mode::Instantaneous);
  pushLeft->setAngle(0, 2);
  animator->addBehavior(collision);
  animator->addBehavior(pushLeft);
  advance(1);
  EXPECT_GT(left->center().x, right->center().x) << "went straight through";

  right->setCenter({600, 300});
  left->setCenter({200, 300});
  collision->setCollisionMode(CollisionBehavior::Items);
  pushLeft->setAngle(0, 2.01);
  pushLeft->setActive(true);
  advance(1);
  EXPECT_LT(left->center().x, right->center().x);
  EXPECT_GT(right->center().x, 600) << "the blow moved the other dot";
}

TEST_F(CollisionTest, TheDelegateHearsOfBoundaryContactsAfterTheStepAndMayChangeTheAnimator) {
  auto item = dot({400, 300});
  collision = foundation::create<CollisionBehavior>(Behavior::Items{item});
  collision->setTranslatesReferenceBoundsIntoBoundaryWithInsets({});
  collision->setCollisionMode(CollisionBehavior::Boundaries);
  auto recorder = std::make_shared<Recorder>();
  collision->setCollisionDelegate(recorder);
  std::weak_ptr<DynamicAnimator> weakAnimator = animator;
  recorder->onBegan = [weakAnimator](CollisionBehavior&) {
    if (auto a = weakAnimator.lock()) a->removeAllBehaviors();
  };
  animator->addBehavior(collision);
  animator->addBehavior(foundation::create<GravityBehavior>(Behavior::Items{item}));
  advance(2);
  ASSERT_EQ(recorder->began.size(), 1u);
  EXPECT_EQ(recorder->began[0].item, item);
  EXPECT_EQ(recorder->began[0].other, nullptr) << "the boundary";
  EXPECT_NEAR(item->frame().maxY(), 600, 2);
  EXPECT_FALSE(animator->isRunning());
}

}  // namespace
