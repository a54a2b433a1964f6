#pragma once

#include <functional>

// Runs `closure` once on the main thread after `seconds`, never within this call:
// 0 seconds defers it to a later pass of the main loop. The closure holds what it
// needs weakly; the caller decides.
void Delay(double seconds, std::function<void()> closure);
