#pragma once

namespace ui {

class View;

// Told after a view's model frame changed, whoever changed it. The dynamics
// engine wakes on it when code moves an item or resizes its reference view.
class GeometryObserver {
 public:
  virtual ~GeometryObserver() = default;
  virtual void viewGeometryDidChange(View& view) = 0;
};

}  // namespace ui
