#include "platform/dynamics/CollisionBehavior.h"

#include <algorithm>

#include "platform/dynamics/Simulation.h"
#include "platform/dynamics/Units.h"

namespace dynamics {

namespace {

// The platform's boundary surface, measured.
constexpr float kBoundaryFriction = 0.2f;
constexpr float kBoundaryElasticity = 0.2f;

// Where a centre may lie so that an item of `size` stays within `rect`.
double clampAxis(double value, double low, double high) {
  if (low > high) return (low + high) / 2;
  return std::clamp(value, low, high);
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
  keepItemsInside(simulation);
}

void CollisionBehavior::didStep(Simulation& simulation) {
  keepItemsInside(simulation);
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
  if (rect.width() < 1 || rect.height() < 1) return;
  b2BodyDef def;
  def.type = b2_staticBody;
  boundaryBody_ = simulation.world().CreateBody(&def);
  // Chain edges collide on their right-hand side; with y growing downwards this
  // order (top-left, bottom-left, bottom-right, top-right) faces them inward.
  b2Vec2 vertices[4] = {
      {units::metres(rect.minX()), units::metres(rect.minY())},
      {units::metres(rect.minX()), units::metres(rect.maxY())},
      {units::metres(rect.maxX()), units::metres(rect.maxY())},
      {units::metres(rect.maxX()), units::metres(rect.minY())},
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

void CollisionBehavior::keepItemsInside(Simulation& simulation) {
  if (!boundary_ || !(mode_ & Boundaries)) return;
  const foundation::Rect& rect = *boundary_;
  for (const auto& item : items()) {
    const ItemBody* body = simulation.find(*item);
    if (!body) continue;
    foundation::Point centre = Simulation::centreOf(*body->body);
    double halfWidth = body->size.width / 2, halfHeight = body->size.height / 2;
    foundation::Point inside{
        clampAxis(centre.x, rect.minX() + halfWidth, rect.maxX() - halfWidth),
        clampAxis(centre.y, rect.minY() + halfHeight, rect.maxY() - halfHeight)};
    if (inside == centre) continue;
    Simulation::moveBody(*body->body, inside);
    // Whatever carried it outward is spent against the wall.
    b2Vec2 velocity = body->body->GetLinearVelocity();
    if ((inside.x - centre.x) * velocity.x < 0) velocity.x = 0;
    if ((inside.y - centre.y) * velocity.y < 0) velocity.y = 0;
    body->body->SetLinearVelocity(velocity);
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
