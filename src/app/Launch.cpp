#include "app/Launch.h"

#include <cstdio>

#include "app/AppDelegate.h"
#include "platform/foundation/Bundle.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/ui/Application.h"
#include "resources/Resources.h"
#include "settings/Localize.h"

int runTamarock() {
  Localize::setUp();
  registerResources();
  auto app = ui::Application::shared();
  app->setIconPath(foundation::Bundle::main().resourcePath() / "tamarock.png");
  auto error = app->launch(foundation::create<AppDelegate>(), std::make_shared<sdl::SdlBackend>(),
                           {"Tamarock", {1024, 768}});
  if (error) {
    std::fprintf(stderr, "tamarock: %s\n", error->c_str());
    return 1;
  }
  app->run();
  return 0;
}
