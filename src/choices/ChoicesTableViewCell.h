#pragma once

#include "platform/ui/PointerInteraction.h"
#include "platform/ui/TableViewCell.h"

// A row of the choices table: its content lifts under a resting pointer.
class ChoicesTableViewCell : public ui::TableViewCell, public ui::PointerInteractionDelegate {
 public:
  ui::PointerStyle styleForPointerInteraction(const ui::PointerInteraction& interaction) override;

 protected:
  void didCreate() override;
};
