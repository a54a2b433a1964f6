#pragma once

// Hands control to the platform with the application delegate, on a real
// window, and runs until the program quits. Returns the process's exit status:
// 1, with one line on standard error naming the cause, when there is no window.
int runTamarock();
