#include "platform/ui/Menu.h"

#include <algorithm>

namespace ui {

std::shared_ptr<Menu> Menu::find(const std::string& identifier, const std::shared_ptr<Menu>& self) {
  if (identifier_ == identifier) return self;
  for (auto& child : children_) {
    if (auto* menu = std::get_if<std::shared_ptr<Menu>>(&child)) {
      if (auto found = (*menu)->find(identifier, *menu)) return found;
    }
  }
  return nullptr;
}

const KeyCommand* Menu::commandFor(const KeyEvent& event) const {
  for (const auto& child : children_) {
    if (auto* menu = std::get_if<std::shared_ptr<Menu>>(&child)) {
      if (auto* command = (*menu)->commandFor(event)) return command;
    } else if (auto& command = std::get<std::shared_ptr<KeyCommand>>(child);
               command->matches(event)) {
      return command.get();
    }
  }
  return nullptr;
}

std::shared_ptr<Menu> MenuBuilder::menuForIdentifier(const std::string& identifier) const {
  return root_->find(identifier, root_);
}

void MenuBuilder::removeMenu(const std::string& identifier) {
  auto remove = [&](auto& self, Menu& menu) -> void {
    std::erase_if(menu.children(), [&](const Menu::Element& e) {
      auto* sub = std::get_if<std::shared_ptr<Menu>>(&e);
      return sub && (*sub)->identifier() == identifier;
    });
    for (auto& e : menu.children()) {
      if (auto* sub = std::get_if<std::shared_ptr<Menu>>(&e)) self(self, **sub);
    }
  };
  remove(remove, *root_);
}

void MenuBuilder::insertChildMenuAtStart(const std::shared_ptr<Menu>& menu,
                                         const std::string& parent) {
  if (auto target = menuForIdentifier(parent)) {
    target->children().insert(target->children().begin(), menu);
  }
}

std::shared_ptr<Menu> MenuBuilder::standardMainMenu(const std::string& appName) {
  auto menu = [](const std::string& title, const std::string& id) {
    return std::make_shared<Menu>(title, id);
  };
  return std::make_shared<Menu>(
      "", "main", Menu::None,
      std::vector<Menu::Element>{
          menu(appName, MenuIdentifier::Application), menu("File", MenuIdentifier::File),
          menu("Edit", MenuIdentifier::Edit), menu("Format", MenuIdentifier::Format),
          menu("View", MenuIdentifier::View), menu("Window", MenuIdentifier::Window),
          menu("Help", MenuIdentifier::Help)});
}

}  // namespace ui
