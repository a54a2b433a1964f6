// Launch to first presented frame of the real program path (SDL backend, the
// application's own launch), timed from the moment the kernel started this
// process. Prints the figure and exits after that frame.
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/AppDelegate.h"
#include "app/Launch.h"
#include "platform/foundation/ColorSchemePortal.h"
#include "platform/foundation/RunLoop.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/ui/Application.h"
#include "resources/Resources.h"
#include "settings/Localize.h"

namespace {

// Seconds since boot at which this process started (from /proc/self/stat).
double processStart() {
  std::ifstream in("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), {});
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22; ++i) fields >> field;  // field 22 is starttime
  return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double sinceBoot() {
  timespec ts{};
  clock_gettime(CLOCK_BOOTTIME, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Passes everything to the real window, and notes the first present.
class TimingPeer : public ui::WindowPeer {
 public:
  explicit TimingPeer(std::shared_ptr<ui::WindowPeer> peer) : peer_(std::move(peer)) {}
  foundation::Size size() const override { return peer_->size(); }
  double scale() const override { return peer_->scale(); }
  cairo_surface_t* beginFrame() override { return peer_->beginFrame(); }
  void present(const std::vector<ui::PixelRect>& rects) override {
    peer_->present(rects);
    if (done_) return;
    done_ = true;
    // Wall time suffers from whatever else the machine runs; the CPU time this
    // process spent getting there does not.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
      return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6;
    };
    std::printf("launch to first presented frame: %.1f ms wall, %.1f ms CPU\n",
                1e3 * (sinceBoot() - processStart()),
                1e3 * (seconds(usage.ru_utime) + seconds(usage.ru_stime)));
    ui::Application::shared()->terminate();
  }
  void setCursor(ui::Cursor cursor) override { peer_->setCursor(cursor); }
  void setTitle(const std::string& title) override { peer_->setTitle(title); }

 private:
  std::shared_ptr<ui::WindowPeer> peer_;
  bool done_ = false;
};

class TimingBackend : public sdl::SdlBackend {
 public:
  std::shared_ptr<ui::WindowPeer> createWindow(const std::string& title, foundation::Size size,
                                               std::string& error) override {
    auto peer = sdl::SdlBackend::createWindow(title, size, error);
    return peer ? std::make_shared<TimingPeer>(peer) : nullptr;
  }
};

}  // namespace

int main() {
  Localize::setUp();
  registerResources();
  // As the program does: the desktop's colour scheme first, if it has one.
  followDesktopColorScheme(foundation::ColorSchemePortal::sessionBusAddress());
  auto app = ui::Application::shared();
  if (auto error = app->launch(foundation::create<AppDelegate>(), std::make_shared<TimingBackend>(),
                               {"Tamarock", {1024, 768}})) {
    std::fprintf(stderr, "launch failed: %s\n", error->c_str());
    return 1;
  }
  app->run();
  stopFollowingDesktopColorScheme();
  return 0;
}
