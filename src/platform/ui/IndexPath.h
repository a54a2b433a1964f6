#pragma once

#include <compare>

namespace ui {

// A row of a sectioned table. Ordered section first, then row, which is the
// order the rows are shown in.
struct IndexPath {
  int section = 0;
  int row = 0;
  friend bool operator==(const IndexPath&, const IndexPath&) = default;
  friend auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

}  // namespace ui
