#pragma once

#include <cstdint>
#include <functional>

// Asks the site once whether a newer build exists. Returns at once: the load
// and the comparisons run on the Background queue, and only a build worth
// offering reaches `offer`, on the main thread. Every failure ends the check
// silently, changing nothing.
void checkForUpdates(std::function<void(std::int64_t build)> offer);

// For an orderly exit, on the main thread: ends a check in flight at once and
// waits until its work on the Background queue has returned, so that nothing
// of it reads the settings or posts to the main loop afterwards.
void stopCheckingForUpdates();
