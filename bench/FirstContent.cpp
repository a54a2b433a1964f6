// Time to content, seen from outside as a person would see it: starts a
// program, waits for its top-level window to map, and reads the window's
// pixels from the X server every few milliseconds until they show more than one
// colour. Prints, in milliseconds since the exec (content: when the read that
// first showed it began):
//   map MS
//   content MS
//   blank N (frames of one colour read after the map; 0 when the first frame
//            the server showed was already the content)
// then lets the program run for --linger seconds and ends it with SIGTERM.
// Exit status 0 when content showed, 1 when it did not within 10 s, 2 on a
// usage or X error. It measures; it judges nothing.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

double now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Errors from a window that went away while being read are not fatal.
int ignoreErrors(Display*, XErrorEvent*) {
  return 0;
}

// The next top-level window to map, or none before `deadline`.
std::optional<Window> waitForMap(Display* display, double deadline) {
  while (now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)) {
        return event.xmap.window;
      }
    }
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, 2);
  }
  return std::nullopt;
}

// Whether the window's pixels on screen are all one colour; nullopt when they
// cannot be read. Only the part on the screen can be: a window may be larger.
std::optional<bool> isUniform(Display* display, Window window) {
  XWindowAttributes attributes, root;
  if (!XGetWindowAttributes(display, window, &attributes) ||
      !XGetWindowAttributes(display, DefaultRootWindow(display), &root)) {
    return std::nullopt;
  }
  int x = 0, y = 0;
  Window child;
  if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child)) {
    return std::nullopt;
  }
  int x0 = std::max(0, -x), y0 = std::max(0, -y);
  int x1 = std::min(attributes.width, root.width - x);
  int y1 = std::min(attributes.height, root.height - y);
  if (x1 <= x0 || y1 <= y0) return std::nullopt;
  XImage* image = XGetImage(display, window, x0, y0, static_cast<unsigned>(x1 - x0),
                            static_cast<unsigned>(y1 - y0), AllPlanes, ZPixmap);
  if (!image) return std::nullopt;
  unsigned long first = XGetPixel(image, 0, 0);
  bool uniform = true;
  for (int y = 0; y < image->height && uniform; ++y) {
    for (int x = 0; x < image->width; ++x) {
      if (XGetPixel(image, x, y) != first) {
        uniform = false;
        break;
      }
    }
  }
  XDestroyImage(image);
  return uniform;
}

}  // namespace

int main(int argc, char** argv) {
  double linger = 0;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--linger") == 0) {
    linger = std::atof(argv[2]);
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: %s [--linger SECONDS] PROGRAM [ARGUMENTS...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 2;
  }
  XSetErrorHandler(ignoreErrors);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  double start = now();
  pid_t child = fork();
  if (child == 0) {
    close(ConnectionNumber(display));
    execvp(argv[first], argv + first);
    std::perror("exec");
    _exit(127);
  }
  if (child < 0) return 2;

  int status = 1;
  auto window = waitForMap(display, start + 10);
  if (window) {
    std::printf("map %.1f\n", 1e3 * (now() - start));
    int blank = 0;
    while (now() < start + 10) {
      // A large window takes a while to read: the picture is the one the
      // server had when the read began.
      double reading = now();
      auto uniform = isUniform(display, *window);
      if (uniform && !*uniform) {
        std::printf("content %.1f\nblank %d\n", 1e3 * (reading - start), blank);
        status = 0;
        break;
      }
      if (uniform) ++blank;
      usleep(2000);
    }
    if (status != 0) std::printf("content never\nblank %d\n", blank);
  } else {
    std::printf("map never\n");
  }
  std::fflush(stdout);
  if (linger > 0) usleep(static_cast<useconds_t>(linger * 1e6));
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  XCloseDisplay(display);
  return status;
}
