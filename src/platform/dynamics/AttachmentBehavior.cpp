#include "platform/dynamics/AttachmentBehavior.h"

#include <cmath>
#include <numbers>

#include "platform/dynamics/Simulation.h"
#include "platform/dynamics/Units.h"
#include "platform/ui/View.h"

namespace dynamics {

namespace {

// The item's offset from the anchor, in metres.
b2Vec2 offsetFromAnchor(const b2Body& body, foundation::Point anchor) {
  return body.GetPosition() - b2Vec2(units::metres(anchor.x), units::metres(anchor.y));
}

}  // namespace

AttachmentBehavior::AttachmentBehavior(std::shared_ptr<ui::View> item, foundation::Point anchor)
    : Behavior({item}), anchor_(anchor) {
  // Like the platform: the length starts as the item's distance from the anchor.
  foundation::Point offset = item ? item->center() - anchor : foundation::Point{};
  length_ = std::hypot(offset.x, offset.y);
}

void AttachmentBehavior::setAnchorPoint(foundation::Point anchor) {
  if (anchor == anchor_) return;
  anchor_ = anchor;
  changed();
}

void AttachmentBehavior::setFrequency(double frequency) {
  if (frequency == frequency_) return;
  frequency_ = frequency;
  changed();
}

void AttachmentBehavior::setDamping(double damping) {
  if (damping == damping_) return;
  damping_ = damping;
  changed();
}

void AttachmentBehavior::setLength(double length) {
  if (length == length_) return;
  length_ = length;
  changed();
}

void AttachmentBehavior::willStep(Simulation& simulation, double seconds) {
  (void)seconds;
  if (frequency_ <= 0 || items().empty() || !items().front()) return;
  b2Body* body = simulation.bodyFor(*items().front());
  if (!body || !body->IsAwake()) return;
  double mass = body->GetMass();
  double omega = 2 * std::numbers::pi * frequency_;
  double k = mass * omega * omega;
  double c = 2 * mass * damping_ * omega;
  b2Vec2 offset = offsetFromAnchor(*body, anchor_);
  double distance = offset.Length();
  double rest = units::metres(length_);
  b2Vec2 velocity = body->GetLinearVelocity();
  b2Vec2 force;
  if (rest <= 0 || distance <= 0) {
    force = -static_cast<float>(k) * offset - static_cast<float>(c) * velocity;
  } else {
    // Along the line to the anchor only: the spring neither pulls nor damps sideways.
    b2Vec2 direction = (1.0f / static_cast<float>(distance)) * offset;
    double stretch = distance - rest;
    double speed = b2Dot(velocity, direction);
    force = static_cast<float>(-k * stretch - c * speed) * direction;
  }
  body->ApplyForceToCenter(force, false);
}

void AttachmentBehavior::didStep(Simulation& simulation) {
  if (frequency_ > 0 || items().empty() || !items().front()) return;
  b2Body* body = simulation.bodyFor(*items().front());
  if (!body) return;
  // A rod: back onto its circle, without the radial part of its velocity.
  b2Vec2 offset = offsetFromAnchor(*body, anchor_);
  float distance = offset.Normalize();
  if (distance <= 0) return;
  float rest = units::metres(length_);
  b2Vec2 anchor(units::metres(anchor_.x), units::metres(anchor_.y));
  body->SetTransform(anchor + rest * offset, body->GetAngle());
  b2Vec2 velocity = body->GetLinearVelocity();
  body->SetLinearVelocity(velocity - b2Dot(velocity, offset) * offset);
}

}  // namespace dynamics
