#include "actions/connect/ConnectBackgroundView.h"

#include "platform/graphics/BezierPath.h"
#include "shared/App.h"

void ConnectBackgroundView::draw(foundation::Rect rect) {
  ui::View::draw(rect);
  graphics::BezierPath path;
  path.moveTo(beginningPoint);
  path.lineTo(endPoint);
  path.setLineWidth(App::windowWidth() * 0.02);
  App::baseColor().setStroke();
  path.stroke();
}
