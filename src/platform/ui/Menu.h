#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/ui/KeyCommand.h"

namespace ui {

namespace MenuIdentifier {
inline const std::string Application = "application";
inline const std::string File = "file";
inline const std::string Edit = "edit";
inline const std::string Format = "format";
inline const std::string View = "view";
inline const std::string Window = "window";
inline const std::string Help = "help";
}  // namespace MenuIdentifier

// The model of a menu: submenus and commands. The desktop shows no menu bar; the
// model is where key commands are found.
class Menu {
 public:
  using Element = std::variant<std::shared_ptr<Menu>, std::shared_ptr<KeyCommand>>;
  enum Options : unsigned { None = 0, DisplayInline = 1 };

  Menu(std::string title, std::string identifier, unsigned options = None,
       std::vector<Element> children = {})
      : title_(std::move(title)),
        identifier_(std::move(identifier)),
        options_(options),
        children_(std::move(children)) {}

  const std::string& title() const { return title_; }
  const std::string& identifier() const { return identifier_; }
  unsigned options() const { return options_; }
  const std::vector<Element>& children() const { return children_; }
  std::vector<Element>& children() { return children_; }

  // Depth-first search, this menu included.
  std::shared_ptr<Menu> find(const std::string& identifier, const std::shared_ptr<Menu>& self);
  const KeyCommand* commandFor(const KeyEvent& event) const;

 private:
  std::string title_;
  std::string identifier_;
  unsigned options_;
  std::vector<Element> children_;
};

enum class MenuSystem { Main, Context };

// Edits a menu system's tree when the application delegate is asked to build it.
class MenuBuilder {
 public:
  MenuBuilder(MenuSystem system, std::shared_ptr<Menu> root)
      : system_(system), root_(std::move(root)) {}
  MenuSystem system() const { return system_; }
  std::shared_ptr<Menu> menuForIdentifier(const std::string& identifier) const;
  void removeMenu(const std::string& identifier);
  void insertChildMenuAtStart(const std::shared_ptr<Menu>& menu, const std::string& parent);

  // The standard main menu of a desktop application, before anyone edits it.
  static std::shared_ptr<Menu> standardMainMenu(const std::string& appName);

 private:
  MenuSystem system_;
  std::shared_ptr<Menu> root_;
};

}  // namespace ui
