#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The children of this process whose command name is `name` (at most 15
// characters, as the kernel keeps it), running or ended and not yet reaped.
std::vector<pid_t> childProcessesNamed(const std::string& name);
