#pragma once

namespace ui {

// How the dynamics engine shapes a view for collisions. It lives with the
// view, which answers it, so that ui/ needs nothing from dynamics/.
enum class CollisionBoundsType { Rectangle = 0, Ellipse = 1, Path = 2 };

}  // namespace ui
