#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/CairoPtr.h"
#include "platform/graphics/Image.h"
#include "platform/ui/WindowPeer.h"

namespace headless {

// A window with no window system: an RGB24 image of size × scale pixels that
// tests read back, and a record of what the window was asked to show.
class HeadlessWindowPeer : public ui::WindowPeer {
 public:
  // A negative or non-finite size counts as empty; a scale that is not a
  // positive number counts as 1.
  explicit HeadlessWindowPeer(foundation::Size size, double scale = 1);

  foundation::Size size() const override { return size_; }
  double scale() const override { return scale_; }
  // Null only when cairo cannot make an image that large.
  cairo_surface_t* beginFrame() override;
  void present(const std::vector<ui::PixelRect>& rects) override;
  void setCursor(ui::Cursor cursor) override { cursor_ = cursor; }
  void setTitle(const std::string& title) override { title_ = title; }
  // Full screen as a desktop makes it: the window takes the screen's size,
  // and back its own; whoever set the resize handler hears of it on a later
  // turn of the main loop, as a real window system reports it.
  bool setFullScreen(bool fullScreen) override;
  bool isFullScreen() const override { return fullScreen_; }
  bool setKeyboardGrabbed(bool grabbed) override;
  bool isKeyboardGrabbed() const override { return keyboardGrabbed_; }

  // The screen full screen covers, in points.
  void setScreenSize(foundation::Size size) { screenSize_ = size; }
  void setResizeHandler(std::function<void()> handler) { resizeHandler_ = std::move(handler); }

  // What a user or the desktop does to a real window. Both start a fresh,
  // black image, as a window system's new framebuffer would be; telling the
  // application is the caller's business (see HeadlessBackend).
  void resize(foundation::Size size);
  void setScale(double scale);  // ignored unless a positive number

  int pixelWidth() const;
  int pixelHeight() const;
  std::size_t presentCount() const { return presents_; }
  const std::vector<ui::PixelRect>& lastPresented() const { return lastPresented_; }
  ui::Cursor cursor() const { return cursor_; }
  const std::string& title() const { return title_; }

  // The live surface, for reading pixels; the window keeps drawing into it.
  cairo_surface_t* surface() const { return surface_.get(); }
  // A copy of the pixels as they are now; nullptr when there are none.
  std::shared_ptr<graphics::Image> image() const;

 private:
  void recreate();

  foundation::Size size_;
  double scale_ = 1;
  graphics::SurfacePtr surface_;
  std::size_t presents_ = 0;
  std::vector<ui::PixelRect> lastPresented_;
  ui::Cursor cursor_ = ui::Cursor::Arrow;
  std::string title_;
  foundation::Size screenSize_;
  foundation::Size windowedSize_;
  bool fullScreen_ = false;
  bool keyboardGrabbed_ = false;
  std::function<void()> resizeHandler_;
};

}  // namespace headless
