#pragma once

#include <memory>

#include "platform/graphics/BezierPath.h"
#include "platform/graphics/Color.h"
#include "platform/ui/Control.h"

// The round, touchable dot of the dot actions: one colour, its oval fixed at
// creation, and a weak reference back to the screen that shows it.
class DotView : public ui::Control {
 public:
  explicit DotView(foundation::Rect frame);

  std::weak_ptr<foundation::Object> representedObject;
  graphics::Color dotColor;

  const graphics::BezierPath& dotBezierPath() const { return dotBezierPath_; }

  void draw(foundation::Rect rect) override;
  void userInterfaceStyleDidChange() override;
  ui::CollisionBoundsType collisionBoundsType() const override {
    return ui::CollisionBoundsType::Ellipse;
  }

 protected:
  void didCreate() override;
  // Shows the held grey while a finger is on the dot; it follows a change of
  // colour scheme until release() gives the dot `color`.
  void hold();
  void release(graphics::Color color);

 private:
  graphics::BezierPath dotBezierPath_;
  bool held_ = false;
};
