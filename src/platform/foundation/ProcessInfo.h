#pragma once

#include <string>

namespace foundation {

// What the running program calls itself, for the folders that carry its name:
// its settings under the user's configuration folder and its installed
// resources. The program sets it first thing, before anything reads it; the
// platform has no name of its own to fall back on.
class ProcessInfo {
 public:
  static void setProcessName(std::string name);
  // Empty until the program has set it.
  static std::string processName();
};

}  // namespace foundation
