#include "platform/dynamics/CollisionBehavior.h"

#include <algorithm>
#include <cmath>

#include "platform/dynamics/Simulation.h"
#include "platform/dynamics/Units.h"

namespace dynamics {

namespace {

// The platform's boundary surface, measured.
constexpr float kBoundaryFriction = 0.2f;
constexpr float kBoundaryElasticity = 0.2f;
// Box2D rests a body half a point (one linear slop) off a wall, but stops one
// that hits the wall at speed (at its time of impact) a point closer: half a
// point past it, for one step, before its contact bounces it back. Its walls
// stand one slop inside the boundary, so that a touching item's outline stays
// within it: an item rests a point inside the boundary and touches it at the
// moment of impact.
constexpr double kWallInset = b2_linearSlop * units::kPointsPerMetre;
// The skin of Box2D's walls: an item touches one from this far off.
constexpr double kWallSkin = b2_polygonRadius * units::kPointsPerMetre;
// An item fits on an axis when, resting against one wall, it is clear of the
// other. A boundary narrower than that would hold it in a tug of war between
// its walls that never ends: the items are pinned on its middle line instead,
// and on that axis the walls stand just clear of them.
constexpr double kClearance = kWallInset + kWallSkin;

// Holds an item's centre `c` (and velocity `v`) on one axis of a boundary
// from `low` to `high`, for an item reaching `half` either side of its centre.
// Only a centre closer to a wall than `reach` is brought back, to touch that
// wall from inside, without the speed that carried it out. A pinned item is
// brought back onto the middle only once it has strayed from it: its rail
// holds it there up to rounding, and moving it for that would keep it awake.
void holdOnAxis(double& c, float& v, double low, double high, double half, double reach,
                bool pinned) {
  double middle = (low + high) / 2;
  if (pinned) {
    if (std::abs(c - middle) <= kWallInset) return;
    c = middle;
    v = 0;
  } else if (c < low + reach) {
    c = low + half;
    v = std::max(v, 0.0f);
  } else if (c > high - reach) {
    c = high - half;
    v = std::min(v, 0.0f);
  }
}

}  // namespace

void CollisionBehavior::setTranslatesReferenceBoundsIntoBoundaryWithInsets(
    foundation::EdgeInsets insets) {
  translates_ = true;
  insets_ = insets;
  changed();
}

void CollisionBehavior::setCollisionMode(unsigned mode) {
  if (mode == mode_) return;
  mode_ = mode;
  changed();
}

void CollisionBehavior::applyItemProperties(const ui::View& item,
                                            ItemProperties& properties) const {
  if (!containsItem(item)) return;
  if (mode_ & Items) properties.collisionMask |= kItemCategory;
  if (mode_ & Boundaries) properties.collisionMask |= kBoundaryCategory;
}

void CollisionBehavior::willStep(Simulation& simulation, double seconds) {
  (void)seconds;
  if (!translates_) {
    destroyBoundary(simulation);
    return;
  }
  foundation::Rect rect = simulation.referenceBounds().insetBy(insets_);
  if (boundary_ == rect) return;
  buildBoundary(simulation, rect);
  // A new boundary has no contacts yet: whatever it left outside goes back inside now.
  keepItemsInside(simulation, false);
}

void CollisionBehavior::didStep(Simulation& simulation) {
  keepItemsInside(simulation, true);
  reportContacts(simulation);
}

void CollisionBehavior::willDetach(Simulation& simulation) {
  destroyBoundary(simulation);
}

void CollisionBehavior::buildBoundary(Simulation& simulation, foundation::Rect rect) {
  destroyBoundary(simulation);
  boundary_ = rect;
  foundation::Size largest;
  for (const auto& item : items()) {
    if (const ItemBody* body = simulation.find(*item)) {
      largest.width = std::max(largest.width, body->size.width);
      largest.height = std::max(largest.height, body->size.height);
    }
  }
  pinnedAcross_ = rect.width() < largest.width + 2 * kClearance;
  pinnedDown_ = rect.height() < largest.height + 2 * kClearance;
  foundation::Rect walls = rect.insetBy(kWallInset, kWallInset);
  if (pinnedAcross_) {
    double reach = largest.width / 2 + kClearance;
    walls = {rect.midX() - reach, walls.minY(), 2 * reach, walls.height()};
  }
  if (pinnedDown_) {
    double reach = largest.height / 2 + kClearance;
    walls = {walls.minX(), rect.midY() - reach, walls.width(), 2 * reach};
  }
  b2BodyDef def;
  def.type = b2_staticBody;
  boundaryBody_ = simulation.world().CreateBody(&def);
  // Chain edges collide on their right-hand side; with y growing downwards this
  // order (top-left, bottom-left, bottom-right, top-right) faces them inward.
  b2Vec2 vertices[4] = {
      {units::metres(walls.minX()), units::metres(walls.minY())},
      {units::metres(walls.minX()), units::metres(walls.maxY())},
      {units::metres(walls.maxX()), units::metres(walls.maxY())},
      {units::metres(walls.maxX()), units::metres(walls.minY())},
  };
  b2ChainShape chain;
  chain.CreateLoop(vertices, 4);
  b2FixtureDef fixture;
  fixture.shape = &chain;
  fixture.friction = kBoundaryFriction;
  fixture.restitution = kBoundaryElasticity;
  fixture.filter.categoryBits = kBoundaryCategory;
  fixture.filter.maskBits = kItemCategory;
  boundaryBody_->CreateFixture(&fixture);
  if (pinnedAcross_ == pinnedDown_ || !(mode_ & Boundaries)) return;
  // Pinned on one axis, an item still moves along the other: a rail down the
  // middle line lets the solver itself take out every pull across it, so the
  // item can come to rest. The rails go with the boundary's body.
  for (const auto& item : items()) {
    const ItemBody* body = simulation.find(*item);
    if (!body) continue;
    b2PrismaticJointDef rail;
    b2Vec2 middle(units::metres(rect.midX()), units::metres(rect.midY()));
    rail.Initialize(boundaryBody_, body->body, middle, pinnedAcross_ ? b2Vec2(0, 1) : b2Vec2(1, 0));
    rail.localAnchorB.SetZero();
    rail.collideConnected = true;  // it still meets the walls along its rail
    simulation.world().CreateJoint(&rail);
  }
}

void CollisionBehavior::destroyBoundary(Simulation& simulation) {
  if (boundaryBody_) simulation.world().DestroyBody(boundaryBody_);
  boundaryBody_ = nullptr;
  boundary_.reset();
}

void CollisionBehavior::keepItemsInside(Simulation& simulation, bool onlyEscaped) {
  if (!boundary_ || !(mode_ & Boundaries)) return;
  const foundation::Rect& rect = *boundary_;
  for (const auto& item : items()) {
    const ItemBody* body = simulation.find(*item);
    if (!body) continue;
    foundation::Point centre = Simulation::centreOf(*body->body);
    b2Vec2 velocity = body->body->GetLinearVelocity();
    foundation::Point held = centre;
    b2Vec2 kept = velocity;
    double halfWidth = body->size.width / 2, halfHeight = body->size.height / 2;
    // Box2D's chain walls are one-sided: they hold every item whose centre is
    // on their inner side, and a touching item often stands a little past its
    // radius for a step before its contact bounces it back. Only a centre
    // beyond the line is lost to them; anything short of that is theirs.
    holdOnAxis(held.x, kept.x, rect.minX(), rect.maxX(), halfWidth, onlyEscaped ? 0 : halfWidth,
               pinnedAcross_);
    holdOnAxis(held.y, kept.y, rect.minY(), rect.maxY(), halfHeight, onlyEscaped ? 0 : halfHeight,
               pinnedDown_);
    if (pinnedAcross_ && pinnedDown_) {
      // Pinned on both axes, it has nowhere to go: let it sleep there.
      if (held == centre && !body->body->IsAwake()) continue;
      Simulation::moveBody(*body->body, held);
      body->body->SetAwake(false);
      continue;
    }
    if (held == centre && kept == velocity) continue;
    Simulation::moveBody(*body->body, held);
    body->body->SetLinearVelocity(kept);
    body->body->SetAwake(true);
  }
}

void CollisionBehavior::reportContacts(Simulation& simulation) {
  auto delegate = delegate_.lock();
  if (!delegate || simulation.contacts().empty()) return;
  auto self = sharedAs<CollisionBehavior>();
  auto contacts = simulation.contacts();
  for (const auto& contact : contacts) {
    std::shared_ptr<ui::View> item, other;
    if (contact.a == boundaryBody_ || contact.b == boundaryBody_) {
      item = simulation.itemFor(contact.a == boundaryBody_ ? contact.b : contact.a);
      if (!item || !containsItem(*item)) continue;
    } else {
      item = simulation.itemFor(contact.a);
      other = simulation.itemFor(contact.b);
      if (!item || !other || !containsItem(*item) || !containsItem(*other)) continue;
    }
    if (contact.began) {
      delegate->collisionBegan(*self, item, other);
    } else {
      delegate->collisionEnded(*self, item, other);
    }
  }
}

}  // namespace dynamics
