#pragma once

// The child-proof full screen. While the window covers the screen the keyboard
// is grabbed, so the desktop's shortcuts (switching windows, closing them,
// changing workspaces) reach the program and do nothing there; a request to
// close the window is declined; and the screen saver stays off while the
// program is in front. F11 enters it at any moment. The way out takes two
// deliberate steps a palm on the keyboard does not make: F11 leaves only while
// the choices are open, and Ctrl+L opens them.
class FullScreenLock {
 public:
  // F11.
  void toggle();
  // Whether the key window covers the screen now.
  bool isLocked() const;
  // The program came to the front, or left it.
  void setActive(bool active);
  // The window changed shape, perhaps by the desktop's hand: the grab and the
  // screen saver follow what the window is now.
  void windowDidResize();

 private:
  void apply();

  bool active_ = false;
};
