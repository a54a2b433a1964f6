#include "update/CheckForUpdates.h"

#include <memory>
#include <utility>

#include "platform/foundation/RunLoop.h"
#include "platform/net/Cancellation.h"
#include "settings/Background.h"
#include "update/UpdateCheck.h"

namespace {

// The switch of the latest check; the main thread alone touches this handle.
std::shared_ptr<net::Cancellation>& latestCheck() {
  static std::shared_ptr<net::Cancellation> cancellation;
  return cancellation;
}

}  // namespace

void checkForUpdates(std::function<void(std::int64_t build)> offer) {
  auto cancellation = std::make_shared<net::Cancellation>();
  latestCheck() = cancellation;
  Background().async([cancellation, offer = std::move(offer)] {
    auto latest = UpdateCheck::run(cancellation);
    if (!latest) return;
    foundation::RunLoop::main().post([offer, build = *latest] { offer(build); });
  });
}

void stopCheckingForUpdates() {
  if (auto cancellation = std::exchange(latestCheck(), nullptr)) cancellation->cancel();
  Background().cancelPendingAndWait();
}
