#include "choices/ChoicesTableViewCell.h"

void ChoicesTableViewCell::didCreate() {
  ui::TableViewCell::didCreate();
  std::shared_ptr<ui::PointerInteractionDelegate> self = sharedAs<ChoicesTableViewCell>();
  contentView()->addInteraction(std::make_shared<ui::PointerInteraction>(self));
}

ui::PointerStyle ChoicesTableViewCell::styleForPointerInteraction(const ui::PointerInteraction&) {
  ui::PointerStyle style;
  style.effect = ui::PointerStyle::Effect::Hover;
  style.preview = contentView();
  style.prefersShadow = true;
  return style;
}
