#include "update/CheckForUpdates.h"

#include <memory>
#include <utility>

#include "platform/foundation/RunLoop.h"
#include "platform/net/Cancellation.h"
#include "settings/Background.h"
#include "shared/App.h"
#include "stage/MasterViewController.h"
#include "update/UpdateCheck.h"

namespace {

// The switch of the latest check; the main thread alone touches this handle.
std::shared_ptr<net::Cancellation>& latestCheck() {
  static std::shared_ptr<net::Cancellation> cancellation;
  return cancellation;
}

}  // namespace

void checkForUpdates() {
  auto cancellation = std::make_shared<net::Cancellation>();
  latestCheck() = cancellation;
  Background().async([cancellation] {
    auto latest = UpdateCheck::run(cancellation);
    if (!latest) return;
    foundation::RunLoop::main().post([build = *latest] {
      // Without a master screen at this moment the notice is dropped.
      if (auto master = App::masterViewController) master->presentUpdateAlert(build);
    });
  });
}

void stopCheckingForUpdates() {
  if (auto cancellation = std::exchange(latestCheck(), nullptr)) cancellation->cancel();
  Background().cancelPendingAndWait();
}
