#pragma once

#include <functional>
#include <memory>
#include <string>

namespace ui {

class View;
class ViewController;

// Nibs by name: each registered name builds a root view for its owner and may
// connect the owner's outlets. The application registers its nibs at start-up.
class Nib {
 public:
  using Builder = std::function<std::shared_ptr<View>(ViewController& owner)>;
  static void registerNib(const std::string& name, Builder builder);
  // The built view, or nullptr for a name nobody registered.
  static std::shared_ptr<View> instantiate(const std::string& name, ViewController& owner);
  static bool exists(const std::string& name);
};

}  // namespace ui
