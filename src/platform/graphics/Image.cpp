#include "platform/graphics/Image.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/graphics/GraphicsContext.h"

namespace graphics {

Image::Image(Token, SurfacePtr surface, double scale)
    : surface_(std::move(surface)), scale_(scale) {}

std::shared_ptr<Image> Image::fromSurface(cairo_surface_t* surface, double scale) {
  if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
      cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
    return nullptr;
  if (!std::isfinite(scale) || scale <= 0) return nullptr;
  // Pending drawing must land in the pixels before anyone reads them.
  cairo_surface_flush(surface);
  return std::make_shared<Image>(Token{}, SurfacePtr(cairo_surface_reference(surface)), scale);
}

std::shared_ptr<Image> Image::fromPNG(const std::string& path, double scale) {
  SurfacePtr surface(cairo_image_surface_create_from_png(path.c_str()));
  return fromSurface(surface.get(), scale);
}

bool Image::writePNG(const std::string& path) const {
  return cairo_surface_write_to_png(surface_.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

int Image::pixelWidth() const {
  return cairo_image_surface_get_width(surface_.get());
}
int Image::pixelHeight() const {
  return cairo_image_surface_get_height(surface_.get());
}

foundation::Size Image::size() const {
  return {pixelWidth() / scale_, pixelHeight() / scale_};
}

std::shared_ptr<Image> Image::cropped(int x, int y, int w, int h) const {
  // 64-bit sums: x + w must not overflow for any pair of ints.
  std::int64_t x0 = x, y0 = y, x1 = x0 + w, y1 = y0 + h;
  if (x1 < x0) std::swap(x0, x1);
  if (y1 < y0) std::swap(y0, y1);
  x0 = std::max<std::int64_t>(x0, 0);
  y0 = std::max<std::int64_t>(y0, 0);
  x1 = std::min<std::int64_t>(x1, pixelWidth());
  y1 = std::min<std::int64_t>(y1, pixelHeight());
  if (x1 <= x0 || y1 <= y0) return nullptr;

  auto format = cairo_image_surface_get_format(surface_.get());
  SurfacePtr piece(
      cairo_image_surface_create(format, static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)));
  if (cairo_surface_status(piece.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  CairoPtr cr(cairo_create(piece.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr.get(), surface_.get(), static_cast<double>(-x0),
                           static_cast<double>(-y0));
  cairo_paint(cr.get());
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cr.reset();
  return fromSurface(piece.get(), scale_);
}

void Image::drawAt(foundation::Point p) const {
  auto* context = GraphicsContext::current();
  if (!context) return;
  cairo_t* cr = context->cairo();
  cairo_save(cr);
  cairo_translate(cr, p.x, p.y);
  cairo_scale(cr, 1 / scale_, 1 / scale_);
  cairo_set_source_surface(cr, surface_.get(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

std::uint32_t Image::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= pixelWidth() || y >= pixelHeight()) return 0;
  cairo_surface_t* s = surface_.get();
  const unsigned char* row = cairo_image_surface_get_data(s) +
                             static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(s);
  switch (cairo_image_surface_get_format(s)) {
    case CAIRO_FORMAT_ARGB32: {
      std::uint32_t value;
      std::memcpy(&value, row + 4 * x, sizeof value);
      return value;
    }
    case CAIRO_FORMAT_RGB24: {
      std::uint32_t value;
      std::memcpy(&value, row + 4 * x, sizeof value);
      return value | 0xff000000u;  // the unused byte is undefined
    }
    case CAIRO_FORMAT_A8:
      return static_cast<std::uint32_t>(row[x]) << 24;
    default:
      return 0;  // formats no image of ours is made in
  }
}

}  // namespace graphics
