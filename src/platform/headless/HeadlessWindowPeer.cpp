#include "platform/headless/HeadlessWindowPeer.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/RunLoop.h"

namespace headless {

namespace {

double sanitizedLength(double points) {
  return std::isfinite(points) && points > 0 ? points : 0;
}

bool isValidScale(double scale) {
  return std::isfinite(scale) && scale > 0;
}

int pixels(double points, double scale) {
  // Beyond cairo's limit the surface is refused anyway; keep the arithmetic in range.
  return static_cast<int>(std::lround(std::min(points * scale, 1e6)));
}

}  // namespace

HeadlessWindowPeer::HeadlessWindowPeer(foundation::Size size, double scale)
    : size_{sanitizedLength(size.width), sanitizedLength(size.height)},
      scale_(isValidScale(scale) ? scale : 1) {
  recreate();
}

void HeadlessWindowPeer::recreate() {
  surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixelWidth(), pixelHeight()));
}

int HeadlessWindowPeer::pixelWidth() const {
  return pixels(size_.width, scale_);
}
int HeadlessWindowPeer::pixelHeight() const {
  return pixels(size_.height, scale_);
}

cairo_surface_t* HeadlessWindowPeer::beginFrame() {
  if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  return surface_.get();
}

void HeadlessWindowPeer::present(const std::vector<ui::PixelRect>& rects) {
  ++presents_;
  lastPresented_ = rects;
}

void HeadlessWindowPeer::resize(foundation::Size size) {
  size_ = {sanitizedLength(size.width), sanitizedLength(size.height)};
  recreate();
}

bool HeadlessWindowPeer::setFullScreen(bool fullScreen) {
  if (fullScreen == fullScreen_) return true;
  if (fullScreen) windowedSize_ = size_;
  fullScreen_ = fullScreen;
  resize(fullScreen ? screenSize_ : windowedSize_);
  if (resizeHandler_) foundation::RunLoop::main().post(resizeHandler_);
  return true;
}

bool HeadlessWindowPeer::setKeyboardGrabbed(bool grabbed) {
  keyboardGrabbed_ = grabbed;
  return true;
}

void HeadlessWindowPeer::setScale(double scale) {
  if (!isValidScale(scale)) return;
  scale_ = scale;
  recreate();
}

std::shared_ptr<graphics::Image> HeadlessWindowPeer::image() const {
  if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  int w = cairo_image_surface_get_width(surface_.get());
  int h = cairo_image_surface_get_height(surface_.get());
  if (w == 0 || h == 0) return nullptr;
  graphics::SurfacePtr copy(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
  graphics::CairoPtr cr(cairo_create(copy.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr.get(), surface_.get(), 0, 0);
  cairo_paint(cr.get());
  cr.reset();
  cairo_surface_flush(copy.get());
  return graphics::Image::fromSurface(copy.get(), scale_);
}

}  // namespace headless
