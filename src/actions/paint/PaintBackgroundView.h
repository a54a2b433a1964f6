#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "actions/paint/PaintShape.h"
#include "platform/foundation/Geometry.h"
#include "platform/foundation/Timer.h"
#include "platform/graphics/BezierPath.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"
#include "platform/ui/View.h"

class PaintActionViewController;

// The Paint screen's root view: a shape's outline, paint laid in round blobs
// where a finger drags inside it, and an idle timer that wipes the picture.
//
// However long a child paints, a redraw costs one outline, at most one image and
// at most kMaxBlobs discs: older blobs are flattened into an image of the
// shape's bounding rectangle.
class PaintBackgroundView : public ui::View {
 public:
  using Sender = std::shared_ptr<foundation::Object>;

  static constexpr std::size_t kMaxBlobs = 13;
  static constexpr double kBlobSize = 64;
  static constexpr double kShapeSize = 352;
  static constexpr double kOutlineWidth = 4;
  static constexpr double kResetTolerance = 1.0;

  PaintBackgroundView();

  // The screen whose colours a reset renews; it does not own the screen.
  std::weak_ptr<PaintActionViewController> representedObject;
  // Top-left corners of the blobs laid since the last flattening, on whole points.
  std::vector<foundation::Point> points;
  // The outline's bounding rectangle, where the flattened paint goes.
  foundation::Rect bezierRect;
  std::shared_ptr<foundation::Timer> resetTimer;
  // The earlier paint, covering bezierRect out to whole device pixels and
  // transparent where nothing was painted.
  std::shared_ptr<graphics::Image> cachedImage;
  std::optional<graphics::Color> paintColor;
  double timeBeforeReset = 2.0;

  // The outline, made (empty) on first use; its fill area is what can be painted.
  graphics::BezierPath& currentBezierPath();

  // Wipes the paint and builds the outline of `shape`, centred in the window.
  // Does not redraw: the callers recolour, which does.
  void prepareShape(PaintShape shape);
  // Lays one blob under a touch inside the outline and postpones the wipe.
  void handleTouches(const ui::TouchSet& touches);
  // The idle timer's action: a new random shape and colour, and no timer.
  void reset(const Sender& sender);

  void touchesBegan(const ui::TouchSet& touches) override { handleTouches(touches); }
  void touchesMoved(const ui::TouchSet& touches) override { handleTouches(touches); }
  void touchesEnded(const ui::TouchSet& touches) override { handleTouches(touches); }
  void draw(foundation::Rect rect) override;

 private:
  void flatten();
  // The flattened paint and the blobs since, inside the outline.
  void drawPaint();
  void rearmResetTimer();

  std::optional<graphics::BezierPath> currentBezierPath_;
  // Where cachedImage was taken from: bezierRect's corner moved out onto the
  // device pixel grid, which at a fractional scale is not bezierRect's own.
  foundation::Point cachedImageOrigin_;
};
