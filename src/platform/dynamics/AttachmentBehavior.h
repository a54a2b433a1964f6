#pragma once

#include "platform/dynamics/Behavior.h"
#include "platform/foundation/Geometry.h"

namespace dynamics {

// Ties an item's centre to an anchor point (reference view coordinates).
// With a frequency above 0 it is an exact spring, F = -k·x - c·v with
// k = m(2πf)² and c = 2mζ(2πf), applied every substep: Box2D's mouse joint
// would damp it numerically even at damping 0. Frequency 0 is a rigid rod of
// `length` points.
class AttachmentBehavior : public Behavior {
 public:
  AttachmentBehavior(std::shared_ptr<ui::View> item, foundation::Point anchor);

  void setAnchorPoint(foundation::Point anchor);
  // Hz.
  double frequency() const { return frequency_; }
  void setFrequency(double frequency);
  // A ratio: 1 is critical damping.
  double damping() const { return damping_; }
  void setDamping(double damping);
  // Points.
  double length() const { return length_; }
  void setLength(double length);

  void willStep(Simulation& simulation, double seconds) override;
  void didStep(Simulation& simulation) override;

 private:
  foundation::Point anchor_;
  double frequency_ = 0;
  double damping_ = 0;
  double length_;
};

}  // namespace dynamics
