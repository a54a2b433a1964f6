#pragma once

#include <memory>

#include "platform/ui/Interaction.h"

namespace ui {

class View;

// What a pointer resting on a view does to it.
struct PointerStyle {
  enum class Effect { Automatic, Highlight, Hover };
  Effect effect = Effect::Automatic;
  std::weak_ptr<View> preview;  // the view the effect is drawn on; the interaction's view if empty
  bool prefersShadow = false;
};

class PointerInteraction;

class PointerInteractionDelegate {
 public:
  virtual ~PointerInteractionDelegate() = default;
  virtual PointerStyle styleForPointerInteraction(const PointerInteraction& interaction) = 0;
};

// Hover: while the pointer rests on the view the cursor becomes a hand and the
// view shows the effect. Without a delegate the platform's default effect applies.
class PointerInteraction : public Interaction {
 public:
  explicit PointerInteraction(std::weak_ptr<PointerInteractionDelegate> delegate = {})
      : delegate_(std::move(delegate)) {}
  PointerStyle style() const;

 private:
  std::weak_ptr<PointerInteractionDelegate> delegate_;
};

}  // namespace ui
