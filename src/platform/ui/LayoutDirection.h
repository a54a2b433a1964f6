#pragma once

namespace ui {

// Which way the interface reads. Right to left mirrors it: what leads a row
// (a label's text, a bar's leading control, the first of an alert's buttons)
// stands at the right, and what trails it at the left. Content that has no
// reading order, such as a picture or a playing field, is not mirrored.
enum class UserInterfaceLayoutDirection { LeftToRight, RightToLeft };

}  // namespace ui
