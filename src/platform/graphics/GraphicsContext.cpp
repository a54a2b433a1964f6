#include "platform/graphics/GraphicsContext.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/graphics/CairoPtr.h"
#include "platform/graphics/Image.h"

namespace graphics {

namespace {

thread_local std::vector<GraphicsContext*> contextStack;

// cairo's image surfaces are limited to this many pixels on a side.
constexpr double kMaxPixels = 32767;

}  // namespace

GraphicsContext::GraphicsContext(cairo_t* cr, double scale) : cr_(cr), scale_(scale) {}

GraphicsContext* GraphicsContext::current() {
  return contextStack.empty() ? nullptr : contextStack.back();
}

GraphicsContext::Scope::Scope(GraphicsContext& context)
    : context_(context), savedFill_(context.fill_), savedStroke_(context.stroke_) {
  cairo_save(context_.cr_);
  contextStack.push_back(&context_);
}

GraphicsContext::Scope::~Scope() {
  // Scopes nest, so this is normally the top; search anyway so that a scope
  // ended out of order cannot leave a dangling context current.
  auto it = std::find(contextStack.rbegin(), contextStack.rend(), &context_);
  if (it != contextStack.rend()) contextStack.erase(std::next(it).base());
  cairo_restore(context_.cr_);
  context_.fill_ = savedFill_;
  context_.stroke_ = savedStroke_;
}

std::shared_ptr<Image> GraphicsContext::renderImage(foundation::Size points, double scale,
                                                    bool opaque,
                                                    const std::function<void()>& draw) {
  if (!std::isfinite(scale) || scale <= 0) return nullptr;
  double w = std::ceil(points.width * scale), h = std::ceil(points.height * scale);
  // Written so that NaN sizes fail too.
  if (!(w >= 1 && h >= 1 && w <= kMaxPixels && h <= kMaxPixels)) return nullptr;

  SurfacePtr surface(cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32,
                                                static_cast<int>(w), static_cast<int>(h)));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  CairoPtr cr(cairo_create(surface.get()));
  cairo_scale(cr.get(), scale, scale);
  if (draw) {
    GraphicsContext context(cr.get(), scale);
    Scope scope(context);
    draw();
  }
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cr.reset();
  return Image::fromSurface(surface.get(), scale);
}

}  // namespace graphics
