#include "platform/ui/Nib.h"

#include <map>

namespace ui {

namespace {
std::map<std::string, Nib::Builder>& registry() {
  static std::map<std::string, Nib::Builder> nibs;
  return nibs;
}
}  // namespace

void Nib::registerNib(const std::string& name, Builder builder) {
  registry()[name] = std::move(builder);
}

std::shared_ptr<View> Nib::instantiate(const std::string& name, ViewController& owner) {
  auto it = registry().find(name);
  return it == registry().end() ? nullptr : it->second(owner);
}

bool Nib::exists(const std::string& name) {
  return registry().count(name) > 0;
}

}  // namespace ui
