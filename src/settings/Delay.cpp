#include "settings/Delay.h"

#include "platform/foundation/RunLoop.h"

void Delay(double seconds, std::function<void()> closure) {
  foundation::RunLoop::main().schedule(seconds, std::move(closure));
}
