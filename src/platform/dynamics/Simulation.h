#pragma once

#include <box2d/box2d.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/foundation/Geometry.h"

namespace ui {
class View;
}

namespace dynamics {

class Behavior;

// What an item is made of, gathered from the behaviours that hold it. The
// defaults are the platform's measured ones.
struct ItemProperties {
  double elasticity = 0.2;
  double friction = 0.2;
  double resistance = 0.1;
  double angularResistance = 0.1;
  double density = 1;
  bool allowsRotation = true;
  std::uint16_t collisionMask = 0;  // which categories the item collides with
};

// Collision categories: items, and the boundaries that hold them.
constexpr std::uint16_t kItemCategory = 1;
constexpr std::uint16_t kBoundaryCategory = 2;

// One body per item that any behaviour of the animator holds.
struct ItemBody {
  std::weak_ptr<ui::View> item;
  const ui::View* key = nullptr;  // identity only, never dereferenced
  b2Body* body = nullptr;
  foundation::Point written;  // the centre last written to the item
  foundation::Size size;
};

// A contact that began or ended during the last step, kept until after it:
// Box2D forbids changing the world from inside its callbacks.
struct Contact {
  const b2Body* a;
  const b2Body* b;
  bool began;
};

// The Box2D world of one animator, in metres; internal to dynamics/.
class Simulation : private b2ContactListener {
 public:
  static constexpr double kStep = 1.0 / 120;
  static constexpr int kVelocityIterations = 8;
  static constexpr int kPositionIterations = 3;

  Simulation();
  ~Simulation() override;
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;

  b2World& world() { return *world_; }
  foundation::Rect referenceBounds() const { return referenceBounds_; }
  void setReferenceBounds(foundation::Rect bounds) { referenceBounds_ = bounds; }

  // Makes the bodies match the items of `behaviors` and their properties.
  void update(const std::vector<std::shared_ptr<Behavior>>& behaviors);
  // An item whose centre was set by code since the last write-back jumps there, at rest.
  void adoptMovedItems();
  void step();
  // Writes every body's centre back to its item, rounded to device pixels.
  void writeBack();
  void wakeAll();
  bool allAsleep() const;

  const std::vector<ItemBody>& bodies() const { return bodies_; }
  const ItemBody* find(const ui::View& item) const;
  b2Body* bodyFor(const ui::View& item) const;
  std::shared_ptr<ui::View> itemFor(const b2Body* body) const;
  const std::vector<Contact>& contacts() const { return contacts_; }

  // Moves a body, keeping it awake and its velocity unless told otherwise.
  static void moveBody(b2Body& body, foundation::Point centre);
  static foundation::Point centreOf(const b2Body& body);
  static foundation::Point velocityOf(const b2Body& body);

 private:
  void BeginContact(b2Contact* contact) override;
  void EndContact(b2Contact* contact) override;
  ItemBody makeBody(const std::shared_ptr<ui::View>& item);
  void applyProperties(ItemBody& body, const ItemProperties& properties);

  std::unique_ptr<b2World> world_;
  std::vector<ItemBody> bodies_;
  std::vector<Contact> contacts_;
  foundation::Rect referenceBounds_;
};

}  // namespace dynamics
