#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/foundation/Geometry.h"
#include "platform/graphics/CairoPtr.h"

namespace graphics {

// An immutable bitmap: a cairo image surface and the number of pixels per
// point it was made at. Shared through std::shared_ptr; nobody draws into the
// surface once it is an Image, except a view into its own backing store while
// it is the only holder (View::setNeedsDisplayInRect).
class Image {
  struct Token {};

 public:
  Image(Token, SurfacePtr surface, double scale);

  // Takes its own reference to `surface`; the caller keeps (and releases) its
  // own and must not draw into the surface afterwards. Returns nullptr unless
  // the surface is a healthy image surface and the scale a positive number.
  static std::shared_ptr<Image> fromSurface(cairo_surface_t* surface, double scale);
  // nullptr when the file cannot be read as PNG.
  static std::shared_ptr<Image> fromPNG(const std::string& path, double scale = 1);
  bool writePNG(const std::string& path) const;

  foundation::Size size() const;  // in points
  double scale() const { return scale_; }
  int pixelWidth() const;
  int pixelHeight() const;

  // The pixels of (x, y, w, h) — pixels, not points — intersected with the
  // image, as a new image at the same scale; nullptr when nothing is left.
  // A negative width or height extends the rectangle leftwards or upwards.
  std::shared_ptr<Image> cropped(int x, int y, int w, int h) const;

  // Draws the image at its point size with its top-left corner at `p` in the
  // current context; nothing happens without one.
  void drawAt(foundation::Point p) const;

  // The premultiplied ARGB32 value at a pixel (alpha 0xff for opaque
  // images); 0 outside the image.
  std::uint32_t pixel(int x, int y) const;
  cairo_surface_t* surface() const { return surface_.get(); }

 private:
  SurfacePtr surface_;
  double scale_;
};

}  // namespace graphics
