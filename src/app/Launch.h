#pragma once

// Hands control to the platform with the application delegate, on a real
// window, and runs until the program quits. Returns the process's exit status:
// 1, with one line on standard error naming the cause, when there is no window.
int runTamarock();

// Takes the program apart in order once its loop has run for the last time,
// before the process's statics go: the update check (its worker waited for),
// what the current action runs beside the main thread, then the main loop,
// the window and every screen. Nothing reaches the main loop afterwards.
void shutDownTamarock();
