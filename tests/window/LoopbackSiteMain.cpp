// The program exactly as shipped, except that its site is a server on
// loopback inside this process: the real-window tests reach a manifest
// without the network, and the shipped program keeps its https site (it has
// no switch of its own to point it elsewhere). Prints the site address on
// its first line of output, then runs like the program.
//
// Usage: tamarock_loopback [offered build, default 2]

#include <cstdio>
#include <string>

#include "app/AppDelegate.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/ui/Application.h"
#include "resources/Resources.h"
#include "settings/Localize.h"
#include "support/HttpTestServer.h"
#include "support/Plists.h"
#include "update/UpdateCheck.h"

int main(int argc, char** argv) {
  HttpTestServer site;
  site.serve("/updates/tamarock2.plist", plists::xmlWithBuild(argc > 1 ? argv[1] : "2"));
  UpdateCheck::siteOverride = site.baseURL();
  std::printf("%s\n", site.baseURL().c_str());
  std::fflush(stdout);

  Localize::setUp();
  registerResources();
  auto app = ui::Application::shared();
  auto error = app->launch(foundation::create<AppDelegate>(), std::make_shared<sdl::SdlBackend>(),
                           {"Tamarock", {1024, 768}});
  if (error) {
    std::fprintf(stderr, "tamarock: %s\n", error->c_str());
    return 1;
  }
  app->run();
  return 0;
}
