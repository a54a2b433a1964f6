#pragma once

#include <memory>

namespace ui {

class View;

// Something attached to a view that extends how it responds (pointer hover).
class Interaction {
 public:
  virtual ~Interaction() = default;
  std::shared_ptr<View> view() const { return view_.lock(); }
  void attach(std::weak_ptr<View> view) { view_ = std::move(view); }

 private:
  std::weak_ptr<View> view_;
};

}  // namespace ui
