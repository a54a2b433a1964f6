#include "platform/ui/Storyboard.h"

#include <map>

namespace ui {

namespace {
std::map<std::string, Storyboard::Factory>& storyboards() {
  static std::map<std::string, Storyboard::Factory> map;
  return map;
}
std::map<std::string, Storyboard::Factory>& segues() {
  static std::map<std::string, Storyboard::Factory> map;
  return map;
}
std::shared_ptr<ViewController> make(std::map<std::string, Storyboard::Factory>& map,
                                     const std::string& key) {
  auto it = map.find(key);
  return it == map.end() ? nullptr : it->second();
}
}  // namespace

void Storyboard::registerStoryboard(const std::string& name, Factory initial) {
  storyboards()[name] = std::move(initial);
}

std::shared_ptr<ViewController> Storyboard::instantiateInitial(const std::string& name) {
  return make(storyboards(), name);
}

void Storyboard::registerSegue(const std::string& identifier, Factory destination) {
  segues()[identifier] = std::move(destination);
}

std::shared_ptr<ViewController> Storyboard::destinationForSegue(const std::string& identifier) {
  return make(segues(), identifier);
}

}  // namespace ui
