#include "platform/ui/PointerInteraction.h"

namespace ui {

PointerStyle PointerInteraction::style() const {
  PointerStyle style;
  if (auto delegate = delegate_.lock()) style = delegate->styleForPointerInteraction(*this);
  if (style.preview.expired()) style.preview = view();
  return style;
}

}  // namespace ui
