#pragma once

namespace dynamics {

// How the dynamics engine shapes an item for collisions.
enum class CollisionBoundsType { Rectangle = 0, Ellipse = 1, Path = 2 };

}  // namespace dynamics
