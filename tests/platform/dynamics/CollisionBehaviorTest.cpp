#include <vector>

#include "DynamicsFixture.h"
#include "platform/dynamics/CollisionBehavior.h"
#include "platform/dynamics/DynamicItemBehavior.h"
#include "platform/dynamics/GravityBehavior.h"
#include "platform/dynamics/PushBehavior.h"

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

TEST_F(CollisionTest, CodeMovingAnItemOrShrinkingTheReferenceWakesAnAnimatorAtRest) {
  flingThreeDots();
  advance(20);
  ASSERT_FALSE(animator->isRunning());

  dots[0]->setCenter({400, 100});
  EXPECT_TRUE(animator->isRunning());
  advance(3);
  EXPECT_NEAR(dots[0]->frame().maxY(), 580, 70) << "fell back to the floor (or onto a dot)";

  advance(20);
  ASSERT_FALSE(animator->isRunning());
  reference->setFrame({0, 0, 300, 200});
  EXPECT_TRUE(animator->isRunning());
  advance(1.0 / 60);
  expectInside(reference->bounds().insetBy(insets));
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
