#include "platform/foundation/Clock.h"

#include <chrono>

namespace foundation {

double SteadyClock::now() const {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace foundation
