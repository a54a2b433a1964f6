#include "actions/paint/PaintBackgroundView.h"

#include <algorithm>
#include <cmath>

#include "actions/paint/PaintActionViewController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/Screen.h"
#include "shared/App.h"

using foundation::Point;
using foundation::Rect;
using graphics::BezierPath;

namespace {
// Half the gap left between the triangle and the top and bottom of its box.
constexpr double kTriangleInset = 56.32710853080307 / 2;
}  // namespace

PaintBackgroundView::PaintBackgroundView() {
  setDrawsContent(true);
  setUserInteractionEnabled(true);
}

BezierPath& PaintBackgroundView::currentBezierPath() {
  if (!currentBezierPath_) currentBezierPath_ = BezierPath::withRect({0, 0, 0, 0});
  return *currentBezierPath_;
}

void PaintBackgroundView::prepareShape(PaintShape shape) {
  points.clear();
  cachedImage.reset();
  double ox = std::round(App::windowWidth() * 0.5 - kShapeSize / 2);
  double oy = std::round(App::windowHeight() * 0.5 - kShapeSize / 2);
  Rect box{ox, oy, kShapeSize, kShapeSize};
  BezierPath path;
  switch (shape) {
    case PaintShape::Square:
      path = BezierPath::withRect(box);
      path.setLineJoin(BezierPath::LineJoin::Round);
      break;
    case PaintShape::Circle:
      path = BezierPath::withOvalInRect(box);
      break;
    case PaintShape::Triangle: {
      double base = std::round(oy + kShapeSize - kTriangleInset);
      double apex = std::round(oy + kTriangleInset);
      path.moveTo({ox, base});
      path.lineTo({ox + kShapeSize, base});
      path.lineTo({ox + kShapeSize / 2, apex});
      path.close();
      path.setLineJoin(BezierPath::LineJoin::Round);
      break;
    }
  }
  currentBezierPath_ = std::move(path);
  currentBezierPath_->setLineWidth(kOutlineWidth);
  bezierRect = currentBezierPath_->bounds();
  // Nothing is drawn beyond the outline's stroke: a backing store of the box,
  // not of the window, which at 4K would hold tens of megabytes of nothing.
  setContentRect(bezierRect.insetBy(-kOutlineWidth, -kOutlineWidth));
}

void PaintBackgroundView::handleTouches(const ui::TouchSet& touches) {
  if (touches.empty()) return;
  Point location = touches.front()->locationIn(this);
  if (currentBezierPath().contains(location)) {
    Point corner{std::round(location.x - kBlobSize / 2), std::round(location.y - kBlobSize / 2)};
    if (std::find(points.begin(), points.end(), corner) == points.end()) {
      if (points.size() >= kMaxBlobs) flatten();
      points.push_back(corner);
      // Only the new blob changes the picture: a flattening shows the same
      // pixels from the image that the discs showed before.
      setNeedsDisplayInRect(Rect{corner.x - 1, corner.y - 1, kBlobSize + 2, kBlobSize + 2});
    }
  }
  rearmResetTimer();
}

void PaintBackgroundView::rearmResetTimer() {
  auto& loop = foundation::RunLoop::main();
  if (resetTimer) {
    resetTimer->setFireDate(loop.now() + timeBeforeReset);
    return;
  }
  std::weak_ptr<PaintBackgroundView> weak = sharedAs<PaintBackgroundView>();
  resetTimer = loop.schedule(
      timeBeforeReset,
      [weak] {
        if (auto view = weak.lock()) view->reset(nullptr);
      },
      kResetTolerance);
}

void PaintBackgroundView::flatten() {
  double scale = ui::Screen::mainScale();
  // Every device pixel the box touches: at a fractional scale its edges fall
  // inside pixels, and the paint in those is kept too.
  Rect part = bezierRect.integralAtScale(scale);
  int w = static_cast<int>(std::lround(part.width() * scale));
  int h = static_cast<int>(std::lround(part.height() * scale));
  // The paint alone, transparent around it: the outline and the background
  // under it are drawn live, so they follow a change of colour scheme.
  auto image = graphics::GraphicsContext::renderImage(part.size, scale, false, [&] {
    if (auto* context = graphics::GraphicsContext::current()) {
      context->translateBy(-part.minX(), -part.minY());
    }
    drawPaint();
  });
  if (image && (image->pixelWidth() != w || image->pixelHeight() != h)) {
    image = image->cropped(0, 0, w, h);
  }
  if (image) {
    cachedImage = std::move(image);
    cachedImageOrigin_ = part.origin;
  }
  points.clear();
}

void PaintBackgroundView::reset(const Sender&) {
  if (auto screen = representedObject.lock()) {
    if (auto paint = std::dynamic_pointer_cast<PaintBackgroundView>(screen->view())) {
      paint->prepareShape(randomPaintShape());
    }
    screen->updateColors();
  }
  if (resetTimer) {
    resetTimer->invalidate();
    resetTimer.reset();
  }
}

void PaintBackgroundView::draw(Rect) {
  if (paintColor) paintColor->setStroke();
  currentBezierPath().stroke();
  // The paint composes on its own, as flatten() renders it, so that a
  // flattening shows exactly the pixels the discs showed.
  auto* context = graphics::GraphicsContext::current();
  if (!context) return;
  context->beginTransparencyLayer();
  drawPaint();
  context->endTransparencyLayer();
}

void PaintBackgroundView::drawPaint() {
  // Drawn back on the pixels it was taken from: anywhere else, even a fraction
  // of a pixel off, it blurs and creeps a little further at every flattening.
  if (cachedImage) cachedImage->drawAt(cachedImageOrigin_);
  if (paintColor) paintColor->setFill();
  currentBezierPath().addClip();
  for (const Point& p : points) BezierPath::withOvalInRect({p.x, p.y, kBlobSize, kBlobSize}).fill();
}
