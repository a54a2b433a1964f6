#include "platform/foundation/ProcessInfo.h"

#include <mutex>
#include <utility>

namespace foundation {

namespace {

std::mutex nameMutex;
std::string name;

}  // namespace

void ProcessInfo::setProcessName(std::string newName) {
  std::lock_guard lock(nameMutex);
  name = std::move(newName);
}

std::string ProcessInfo::processName() {
  std::lock_guard lock(nameMutex);
  return name;
}

}  // namespace foundation
