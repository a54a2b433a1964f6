#include "support/ChildProcesses.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

std::vector<pid_t> childProcessesNamed(const std::string& name) {
  std::vector<pid_t> children;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string pid = entry.path().filename();
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    // "<pid> (<name>) <state> <parent pid> ...": the name may hold spaces and parentheses.
    std::ifstream in(entry.path() / "stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    auto open = stat.find('(');
    auto close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) continue;
    std::istringstream rest(stat.substr(close + 1));
    std::string state;
    pid_t parent = 0;
    rest >> state >> parent;
    if (parent == getpid() && stat.substr(open + 1, close - open - 1) == name) {
      children.push_back(static_cast<pid_t>(std::stol(pid)));
    }
  }
  return children;
}
