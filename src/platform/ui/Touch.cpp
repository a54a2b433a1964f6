#include "platform/ui/Touch.h"

#include "platform/ui/View.h"

namespace ui {

foundation::Point Touch::locationIn(const View* view) const {
  return view ? view->convertFromWindow(location_) : location_;
}

foundation::Point Touch::previousLocationIn(const View* view) const {
  return view ? view->convertFromWindow(previous_) : previous_;
}

}  // namespace ui
