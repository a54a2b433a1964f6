#pragma once

// The choices scene of the storyboard: its static table, outlets and the
// navigation bar with the cancel control.
void registerChoicesScene();
