#include "platform/dynamics/CollisionBehavior.h"

#include <algorithm>

#include "platform/dynamics/Simulation.h"
#include "platform/dynamics/Units.h"

namespace dynamics {

namespace {

// The platform's boundary surface, measured.
constexpr float kBoundaryFriction = 0.2f;
constexpr float kBoundaryElasticity = 0.2f;
// Box2D stops a body that hits a wall at speed (its time of impact) one linear
// slop deeper than where a body rests against it, with the body's outline half
// a point past the wall for that step. Box2D's walls stand that far inside the
// boundary, so that a touching item's outline stays within it: an item rests a
// point from the boundary and touches it at the moment of impact.
constexpr double kWallInset = b2_linearSlop * units::kPointsPerMetre;

// Holds an item's centre `c` (and velocity `v`) on one axis of a boundary
// from `low` to `high`, for an item reaching `half` either side of its centre.
// An item too large to fit is pinned in the middle, still: nothing else can
// end the walls' tug of war over it. Otherwise only a centre closer to a wall
// than `reach` is brought back, to touch that wall from inside, without the
// speed that carried it out. Returns whether the item fits.
bool holdOnAxis(double& c, float& v, double low, double high, double half, double reach) {
  if (high - low < 2 * half) {
    c = (low + high) / 2;
    v = 0;
    return false;
  }
  if (c < low + reach) {
    c = low + half;
    v = std::max(v, 0.0f);
  } else if (c > high - reach) {
    c = high - half;
    v = std::min(v, 0.0f);
  }
  return true;
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
  // Without walls (a boundary too thin for Box2D) the rectangle alone holds the items.
  keepItemsInside(simulation, boundaryBody_ != nullptr);
  reportContacts(simulation);
}

void CollisionBehavior::willDetach(Simulation& simulation) {
  destroyBoundary(simulation);
}

void CollisionBehavior::buildBoundary(Simulation& simulation, foundation::Rect rect) {
  destroyBoundary(simulation);
  boundary_ = rect;
  // Box2D needs a loop of distinct vertices; a degenerate boundary is kept only
  // as the rectangle that keepItemsInside() enforces.
  foundation::Rect walls = rect.insetBy(kWallInset, kWallInset);
  if (walls.width() < 1 || walls.height() < 1) return;
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
    bool fitsAcross = holdOnAxis(held.x, kept.x, rect.minX(), rect.maxX(), halfWidth,
                                 onlyEscaped ? 0 : halfWidth);
    bool fitsDown = holdOnAxis(held.y, kept.y, rect.minY(), rect.maxY(), halfHeight,
                               onlyEscaped ? 0 : halfHeight);
    if (!fitsAcross && !fitsDown) {
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
