#include <gtest/gtest.h>

#include <cairo.h>

#include "platform/foundation/RunLoop.h"
#include "platform/headless/HeadlessBackend.h"

using foundation::Rect;
using foundation::Size;
using headless::HeadlessBackend;
using headless::HeadlessWindowPeer;

namespace {

void fill(cairo_surface_t* surface, double r, double g, double b) {
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
}

TEST(HeadlessWindowPeer, ItsImageIsTheSizeInPointsTimesTheScale) {
  HeadlessWindowPeer peer({400, 300}, 2);
  EXPECT_EQ(peer.size(), (Size{400, 300}));
  EXPECT_EQ(peer.scale(), 2.0);
  cairo_surface_t* surface = peer.beginFrame();
  ASSERT_TRUE(surface);
  EXPECT_EQ(cairo_image_surface_get_format(surface), CAIRO_FORMAT_RGB24);
  EXPECT_EQ(cairo_image_surface_get_width(surface), 800);
  EXPECT_EQ(cairo_image_surface_get_height(surface), 600);

  peer.resize({321, 123});
  surface = peer.beginFrame();
  EXPECT_EQ(cairo_image_surface_get_width(surface), 642);
  EXPECT_EQ(cairo_image_surface_get_height(surface), 246);

  peer.setScale(1.5);
  EXPECT_EQ(peer.pixelWidth(), 482) << "321 × 1.5 rounds to the nearest pixel";
  surface = peer.beginFrame();
  EXPECT_EQ(cairo_image_surface_get_width(surface), 482);
  EXPECT_EQ(cairo_image_surface_get_height(surface), 185);

  peer.setScale(0);
  peer.setScale(-2);
  EXPECT_EQ(peer.scale(), 1.5) << "a scale that is not positive is refused";
  peer.resize({-5, NAN});
  EXPECT_EQ(peer.size(), (Size{0, 0}));
}

TEST(HeadlessWindowPeer, PresentsAreCountedAndTheImageIsACopyOfThePixels) {
  HeadlessWindowPeer peer({10, 10}, 2);
  EXPECT_EQ(peer.presentCount(), 0u);
  fill(peer.beginFrame(), 1, 0, 0);
  peer.present({{0, 0, 20, 20}});
  peer.present({{2, 4, 6, 8}, {10, 10, 2, 2}});
  EXPECT_EQ(peer.presentCount(), 2u);
  ASSERT_EQ(peer.lastPresented().size(), 2u);
  EXPECT_EQ(peer.lastPresented()[0].x, 2);
  EXPECT_EQ(peer.lastPresented()[0].height, 8);

  auto before = peer.image();
  ASSERT_TRUE(before);
  EXPECT_EQ(before->scale(), 2.0);
  EXPECT_EQ(before->pixel(19, 19), 0xffff0000u);
  fill(peer.beginFrame(), 0, 0, 1);
  EXPECT_EQ(before->pixel(19, 19), 0xffff0000u) << "an image does not change under the test";
  EXPECT_EQ(peer.image()->pixel(0, 0), 0xff0000ffu);

  peer.setScale(1);
  EXPECT_EQ(peer.image()->pixel(0, 0), 0xff000000u) << "a new framebuffer starts black";
}

TEST(HeadlessWindowPeer, CursorAndTitleAreRecorded) {
  HeadlessWindowPeer peer({10, 10});
  EXPECT_EQ(peer.cursor(), ui::Cursor::Arrow);
  peer.setCursor(ui::Cursor::Hand);
  peer.setTitle("Tamarock");
  EXPECT_EQ(peer.cursor(), ui::Cursor::Hand);
  EXPECT_EQ(peer.title(), "Tamarock");
}

TEST(HeadlessBackend, WindowsAreMadeAtTheScreensScaleAndFailuresCanBeArranged) {
  HeadlessBackend backend;
  EXPECT_EQ(backend.screenBounds(), (Rect{0, 0, 1920, 1080}));
  EXPECT_FALSE(backend.eventSource()) << "tests drive the run loop themselves";
  EXPECT_FALSE(backend.start());
  EXPECT_TRUE(backend.isStarted());

  backend.setScreenScale(2);
  std::string error;
  auto peer = backend.createWindow("Tamarock", {300, 200}, error);
  ASSERT_TRUE(peer);
  EXPECT_EQ(peer->scale(), 2.0);
  EXPECT_EQ(backend.window(), peer);
  EXPECT_EQ(backend.window()->title(), "Tamarock");
  EXPECT_EQ(backend.window()->pixelWidth(), 600);
  peer.reset();
  EXPECT_FALSE(backend.window()) << "the backend does not keep a window alive";

  HeadlessBackend failing;
  failing.failStart("no display");
  EXPECT_EQ(failing.start(), "no display");
  EXPECT_FALSE(failing.isStarted());
  failing.failCreateWindow("no room");
  EXPECT_FALSE(failing.createWindow("Tamarock", {300, 200}, error));
  EXPECT_EQ(error, "no room");
}

TEST(HeadlessBackend, FullScreenCoversTheScreenAndTheResizeIsReportedOnALaterTurn) {
  foundation::RunLoop::resetMainWithVirtualClock();
  HeadlessBackend backend;
  std::string error;
  auto made = backend.createWindow("Tamarock", {300, 200}, error);  // kept alive
  auto peer = backend.window();
  ASSERT_TRUE(peer);
  int resizes = 0;
  peer->setResizeHandler([&resizes] { ++resizes; });
  backend.setScreenBounds({0, 0, 1280, 1024});

  EXPECT_TRUE(peer->setFullScreen(true));
  EXPECT_TRUE(peer->isFullScreen());
  EXPECT_EQ(peer->size(), (Size{1280, 1024}));
  EXPECT_EQ(peer->pixelWidth(), 1280);
  EXPECT_EQ(resizes, 0) << "not inside the call";
  foundation::RunLoop::main().advance(0);
  EXPECT_EQ(resizes, 1);
  EXPECT_TRUE(peer->setFullScreen(true));
  foundation::RunLoop::main().advance(0);
  EXPECT_EQ(resizes, 1) << "already full screen: nothing changed";

  EXPECT_TRUE(peer->setFullScreen(false));
  EXPECT_EQ(peer->size(), (Size{300, 200})) << "back to the window it was";
  foundation::RunLoop::main().advance(0);
  EXPECT_EQ(resizes, 2);

  EXPECT_FALSE(peer->isKeyboardGrabbed());
  EXPECT_TRUE(peer->setKeyboardGrabbed(true));
  EXPECT_TRUE(peer->isKeyboardGrabbed());
  EXPECT_TRUE(backend.isScreenSaverEnabled());
  backend.setScreenSaverEnabled(false);
  EXPECT_FALSE(backend.isScreenSaverEnabled());
}

TEST(HeadlessBackend, OpenedURLsAreKeptAndTheResultIsWhatTheTestSays) {
  HeadlessBackend backend;
  EXPECT_TRUE(backend.openURL("https://example.org/a"));
  backend.setOpenURLResult(false);
  EXPECT_FALSE(backend.openURL("https://example.org/b"));
  EXPECT_EQ(backend.openedURLs(),
            (std::vector<std::string>{"https://example.org/a", "https://example.org/b"}));
}

}  // namespace
