#pragma once

// Asks the site once whether a newer build exists. Returns at once: the load
// and the comparisons run on the Background queue, and only a build worth
// offering reaches the main thread, where the master screen shows the update
// alert. Every failure ends the check silently, changing nothing.
void checkForUpdates();

// For an orderly exit, on the main thread: ends a check in flight at once and
// waits until its work on the Background queue has returned, so that nothing
// of it reads the settings or posts to the main loop afterwards.
void stopCheckingForUpdates();
