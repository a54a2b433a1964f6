#pragma once

// Asks the site once whether a newer build exists. Returns at once: the load
// and the comparisons run on the Background queue, and only a build worth
// offering reaches the main thread, where the master screen shows the update
// alert. Every failure ends the check silently, changing nothing.
void checkForUpdates();
