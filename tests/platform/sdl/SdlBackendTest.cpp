#include <gtest/gtest.h>

#include <SDL.h>
#include <cairo.h>

#include <thread>

#include "platform/foundation/RunLoop.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/sdl/SdlWindowPeer.h"

namespace {

// SDL's dummy video driver: a 1024x768 display with a software framebuffer
// and no window system, so these run anywhere. Forced here, not only through
// the test environment, so that running the suite by hand on a desktop opens
// no windows.
class SdlBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::RunLoop::resetMainWithVirtualClock();
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
    backend = std::make_shared<sdl::SdlBackend>(foundation::Size{360, 480});
    auto error = backend->start();
    ASSERT_FALSE(error) << *error;
  }
  void TearDown() override {
    backend.reset();
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  }

  std::shared_ptr<sdl::SdlWindowPeer> makeWindow(foundation::Size size) {
    std::string error;
    auto peer = backend->createWindow("Tamarock", size, error);
    EXPECT_TRUE(peer) << error;
    return std::dynamic_pointer_cast<sdl::SdlWindowPeer>(peer);
  }

  static int userEventsQueued() {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_USEREVENT, SDL_LASTEVENT);
  }

  std::shared_ptr<sdl::SdlBackend> backend;
};

TEST_F(SdlBackendTest, AWindowHasTheRequestedSizeShrunkToTheScreenButNotBelowTheMinimum) {
  auto usable = backend->screenBounds();
  ASSERT_GT(usable.width(), 360);
  ASSERT_GT(usable.height(), 480);

  auto peer = makeWindow({500, 600});
  ASSERT_TRUE(peer);
  EXPECT_EQ(peer->size(), (foundation::Size{500, 600}));
  EXPECT_EQ(peer->scale(), 1.0);
  EXPECT_STREQ(SDL_GetWindowTitle(peer->sdlWindow()), "Tamarock");
  peer.reset();

  peer = makeWindow({usable.width() + 800, usable.height() + 600});
  ASSERT_TRUE(peer);
  EXPECT_EQ(peer->size(), usable.size);
  peer.reset();

  peer = makeWindow({100, 100});
  ASSERT_TRUE(peer);
  EXPECT_EQ(peer->size(), (foundation::Size{360, 480}));
  peer.reset();

  // Where the minimum does not fit, the screen wins. (SDL forgets its hints
  // when the last backend shuts it down.)
  backend.reset();
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
  backend = std::make_shared<sdl::SdlBackend>(
      foundation::Size{usable.width() + 100, usable.height() + 50});
  auto error = backend->start();
  ASSERT_FALSE(error) << *error;
  peer = makeWindow({usable.width() + 200, 100});
  ASSERT_TRUE(peer);
  EXPECT_EQ(peer->size(), usable.size);
}

TEST_F(SdlBackendTest, TheFramebufferIsACairoSurfaceOfTheWindowsPixelsAndFollowsAResize) {
  auto peer = makeWindow({400, 500});
  ASSERT_TRUE(peer);
  cairo_surface_t* surface = peer->beginFrame();
  ASSERT_TRUE(surface);
  EXPECT_EQ(cairo_image_surface_get_width(surface), 400);
  EXPECT_EQ(cairo_image_surface_get_height(surface), 500);

  // What cairo paints must be what SDL shows: the same pixels, not a copy.
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_rectangle(cr, 10, 20, 4, 4);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  peer->present({{10, 20, 4, 4}, {-50, -50, 10, 10}, {390, 490, 100, 100}});
  SDL_Surface* framebuffer = SDL_GetWindowSurface(peer->sdlWindow());
  ASSERT_TRUE(framebuffer);
  Uint32 pixel = static_cast<Uint32*>(framebuffer->pixels)[21 * framebuffer->pitch / 4 + 11];
  Uint8 r = 0, g = 0, b = 0;
  SDL_GetRGB(pixel, framebuffer->format, &r, &g, &b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 0);

  SDL_SetWindowSize(peer->sdlWindow(), 420, 520);
  EXPECT_EQ(peer->size(), (foundation::Size{420, 520}));
  surface = peer->beginFrame();
  ASSERT_TRUE(surface);
  EXPECT_EQ(cairo_image_surface_get_width(surface), 420) << "the old framebuffer is gone";
  EXPECT_EQ(cairo_image_surface_get_height(surface), 520);
}

TEST_F(SdlBackendTest, ManyWakesQueueOneEventAndAWakeAfterTheWaitQueuesAnother) {
  auto source = backend->eventSource();
  ASSERT_TRUE(source);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  source->wake();
  source->wake();
  source->wake();
  EXPECT_EQ(userEventsQueued(), 1);
  source->waitAndDispatch(0);
  EXPECT_EQ(userEventsQueued(), 0);
  source->wake();
  EXPECT_EQ(userEventsQueued(), 1) << "a post after the loop woke must wake it again";
}

TEST_F(SdlBackendTest, AWakeFromAnotherThreadEndsAWaitWithoutEnd) {
  auto source = backend->eventSource();
  ASSERT_TRUE(source);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  std::thread other([source] { source->wake(); });
  source->waitAndDispatch(INFINITY);  // returns only because of the wake
  other.join();
  EXPECT_EQ(userEventsQueued(), 0);
}

TEST_F(SdlBackendTest, WithoutADisplayStartAndCreateWindowExplainWhy) {
  backend.reset();
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "no-such-driver", SDL_HINT_OVERRIDE);
  sdl::SdlBackend orphan;
  auto error = orphan.start();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->rfind("cannot open the display: ", 0), 0u) << *error;
  EXPECT_EQ(error->find('\n'), std::string::npos);
  std::string reason;
  EXPECT_FALSE(orphan.createWindow("Tamarock", {400, 500}, reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(orphan.eventSource());
}

}  // namespace
