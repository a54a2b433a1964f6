#pragma once

#include <memory>

#include <SDL.h>

#include "platform/graphics/CairoPtr.h"
#include "platform/sdl/WindowCanvas.h"

namespace sdl {

// For window systems where SDL has no framebuffer of its own (SDL 2.26 on
// Wayland): cairo draws into a buffer of ours, each damaged rectangle is copied
// into a texture, and an SDL renderer (Mesa's llvmpipe where there is no GPU)
// puts the texture on the window. Only when something was drawn, so an idle
// window costs nothing.
class RendererCanvas : public WindowCanvas {
 public:
  struct RendererRelease {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
  };
  struct TextureRelease {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
  };

  // Null, with SDL's reason in SDL_GetError, when no renderer works for `window`.
  // `window` is not owned; it must outlive the canvas. The window may be
  // recreated on the way (the GL renderers need a GL window), so call this
  // before showing it.
  static std::unique_ptr<RendererCanvas> create(SDL_Window* window);

  explicit RendererCanvas(std::unique_ptr<SDL_Renderer, RendererRelease> renderer)
      : renderer_(std::move(renderer)) {}

  cairo_surface_t* begin() override;
  bool present(const std::vector<ui::PixelRect>& rects) override;

 private:
  // Declared first so that the renderer outlives its texture.
  std::unique_ptr<SDL_Renderer, RendererRelease> renderer_;
  std::unique_ptr<SDL_Texture, TextureRelease> texture_;
  graphics::SurfacePtr cairo_;
  int width_ = 0, height_ = 0;
};

}  // namespace sdl
