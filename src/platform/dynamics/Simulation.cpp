#include "platform/dynamics/Simulation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/dynamics/Behavior.h"
#include "platform/dynamics/Units.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

namespace dynamics {

using foundation::Point;

Simulation::Simulation() : world_(std::make_unique<b2World>(b2Vec2(0, 0))) {
  // Gravity is a behaviour of chosen items, so the world itself has none.
  world_->SetContactListener(this);
}

Simulation::~Simulation() {
  world_->SetContactListener(nullptr);
}

void Simulation::update(const std::vector<std::shared_ptr<Behavior>>& behaviors) {
  std::vector<std::shared_ptr<ui::View>> items;
  for (const auto& behavior : behaviors) {
    for (const auto& item : behavior->items()) {
      if (item && std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
    }
  }
  std::erase_if(bodies_, [&](ItemBody& body) {
    auto item = body.item.lock();
    if (item && std::find(items.begin(), items.end(), item) != items.end()) return false;
    world_->DestroyBody(body.body);
    return true;
  });
  for (const auto& item : items) {
    if (!find(*item)) bodies_.push_back(makeBody(item));
  }
  for (auto& body : bodies_) {
    auto item = body.item.lock();
    ItemProperties properties;
    for (const auto& behavior : behaviors) behavior->applyItemProperties(*item, properties);
    applyProperties(body, properties);
  }
}

ItemBody Simulation::makeBody(const std::shared_ptr<ui::View>& item) {
  Point centre = item->center();
  foundation::Size size = item->bounds().size;
  double w = std::max(size.width, 1.0), h = std::max(size.height, 1.0);

  b2BodyDef def;
  def.type = b2_dynamicBody;
  def.position.Set(units::metres(centre.x), units::metres(centre.y));
  b2Body* body = world_->CreateBody(&def);

  b2CircleShape circle;
  b2PolygonShape polygon;
  b2FixtureDef fixture;
  bool ellipse = item->collisionBoundsType() == ui::CollisionBoundsType::Ellipse;
  if (ellipse && std::abs(w - h) < 1e-9) {
    circle.m_radius = units::metres(w / 2);
    fixture.shape = &circle;
  } else if (ellipse) {
    // Box2D has no ellipse: the largest polygon it allows, inscribed.
    b2Vec2 vertices[b2_maxPolygonVertices];
    for (int i = 0; i < b2_maxPolygonVertices; ++i) {
      double angle = 2 * std::numbers::pi * i / b2_maxPolygonVertices;
      vertices[i].Set(units::metres(w / 2 * std::cos(angle)),
                      units::metres(h / 2 * std::sin(angle)));
    }
    polygon.Set(vertices, b2_maxPolygonVertices);
    fixture.shape = &polygon;
  } else {
    polygon.SetAsBox(units::metres(w / 2), units::metres(h / 2));
    fixture.shape = &polygon;
  }
  fixture.density = 1;  // Box2D's default of 0 would silently weigh 1 kg
  body->CreateFixture(&fixture);
  return {item, item.get(), body, centre, size};
}

void Simulation::applyProperties(ItemBody& body, const ItemProperties& properties) {
  b2Fixture* fixture = body.body->GetFixtureList();
  // The platform weighs every item by its bounds, ellipses too: scale Box2D's
  // density so that the shape's own area gives that mass.
  b2MassData unit;
  fixture->GetShape()->ComputeMass(&unit, 1.0f);
  double mass = properties.density * std::max(body.size.width, 1.0) *
                std::max(body.size.height, 1.0) / units::kAreaPerKilogram;
  fixture->SetDensity(static_cast<float>(unit.mass > 0 ? mass / unit.mass : properties.density));
  fixture->SetRestitution(static_cast<float>(properties.elasticity));
  fixture->SetFriction(static_cast<float>(properties.friction));
  b2Filter filter;
  filter.categoryBits = kItemCategory;
  filter.maskBits = properties.collisionMask;
  fixture->SetFilterData(filter);
  body.body->ResetMassData();
  body.body->SetLinearDamping(static_cast<float>(properties.resistance));
  body.body->SetAngularDamping(static_cast<float>(properties.angularResistance));
  if (body.body->IsFixedRotation() == properties.allowsRotation) {
    body.body->SetFixedRotation(!properties.allowsRotation);
  }
}

void Simulation::adoptMovedItems() {
  for (auto& body : bodies_) {
    auto item = body.item.lock();
    if (!item || item->center() == body.written) continue;
    body.written = item->center();
    moveBody(*body.body, body.written);
    body.body->SetLinearVelocity(b2Vec2(0, 0));
    body.body->SetAngularVelocity(0);
    body.body->SetAwake(true);
  }
}

void Simulation::step() {
  contacts_.clear();
  world_->Step(static_cast<float>(kStep), kVelocityIterations, kPositionIterations);
}

void Simulation::writeBack() {
  for (auto& body : bodies_) {
    auto item = body.item.lock();
    if (!item) continue;
    auto window = item->window();
    double scale = window ? window->scale() : 1;
    Point centre = centreOf(*body.body);
    centre = {std::round(centre.x * scale) / scale, std::round(centre.y * scale) / scale};
    if (centre != body.written) {
      item->setCenter(centre);
      body.written = item->center();
    }
  }
}

void Simulation::wakeAll() {
  for (auto& body : bodies_) body.body->SetAwake(true);
}

bool Simulation::allAsleep() const {
  return std::none_of(bodies_.begin(), bodies_.end(),
                      [](const ItemBody& body) { return body.body->IsAwake(); });
}

const ItemBody* Simulation::find(const ui::View& item) const {
  auto it = std::find_if(bodies_.begin(), bodies_.end(),
                         [&](const ItemBody& body) { return body.key == &item; });
  return it == bodies_.end() ? nullptr : &*it;
}

b2Body* Simulation::bodyFor(const ui::View& item) const {
  const ItemBody* body = find(item);
  return body ? body->body : nullptr;
}

std::shared_ptr<ui::View> Simulation::itemFor(const b2Body* body) const {
  for (const auto& candidate : bodies_) {
    if (candidate.body == body) return candidate.item.lock();
  }
  return nullptr;
}

void Simulation::moveBody(b2Body& body, Point centre) {
  body.SetTransform(b2Vec2(units::metres(centre.x), units::metres(centre.y)), body.GetAngle());
}

Point Simulation::centreOf(const b2Body& body) {
  b2Vec2 p = body.GetPosition();
  return {units::points(p.x), units::points(p.y)};
}

Point Simulation::velocityOf(const b2Body& body) {
  b2Vec2 v = body.GetLinearVelocity();
  return {units::points(v.x), units::points(v.y)};
}

void Simulation::BeginContact(b2Contact* contact) {
  contacts_.push_back({contact->GetFixtureA()->GetBody(), contact->GetFixtureB()->GetBody(), true});
}

void Simulation::EndContact(b2Contact* contact) {
  contacts_.push_back(
      {contact->GetFixtureA()->GetBody(), contact->GetFixtureB()->GetBody(), false});
}

}  // namespace dynamics
