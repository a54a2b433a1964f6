#include "update/CheckForUpdates.h"

#include "platform/foundation/RunLoop.h"
#include "settings/Background.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"
#include "update/UpdateCheck.h"

void checkForUpdates() {
  Background().async([] {
    auto latest = UpdateCheck::run();
    if (!latest) return;
    foundation::RunLoop::main().post([build = *latest] {
      // Without a master screen at this moment the notice is dropped.
      if (auto master = App::masterViewController) master->presentUpdateAlert(build);
    });
  });
}
