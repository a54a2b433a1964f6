#pragma once

#include <string>

// Hands control to the platform with the application delegate, on a real
// window, and runs until the program quits. Returns the process's exit status:
// 1, with one line on standard error naming the cause, when there is no window.
int runTamarock();

// Takes the program apart in order once its loop has run for the last time,
// before the process's statics go: the update check (its worker waited for),
// the desktop colour scheme's listener, what the current action runs beside
// the main thread, then the main loop, the window and every screen. Nothing reaches the main loop
// afterwards.
void shutDownTamarock();

// Takes the light or dark appearance from the desktop portal on the bus at
// `busAddress` and follows its changes on the main loop. Waits a moment for
// the first answer so that the window opens in the right colours; without a
// bus or a portal the appearance stays light.
void followDesktopColorScheme(const std::string& busAddress);
// Stops following; nothing of it reaches the main loop afterwards.
void stopFollowingDesktopColorScheme();
