#pragma once

// GLib reports misuse, such as an error set over another, as a warning or a critical on stderr and
// carries on; a fuzz run must count it as a failure. GLib's own fatal mode stops with SIGTRAP,
// which libFuzzer does not catch, so this aborts instead and libFuzzer keeps the input.
void makeGLibWarningsFatal();
