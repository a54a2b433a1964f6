#pragma once

#include <functional>
#include <memory>
#include <string>

namespace ui {

class ViewController;

class StoryboardSegue {
 public:
  StoryboardSegue(std::string identifier, std::shared_ptr<ViewController> source,
                  std::shared_ptr<ViewController> destination)
      : identifier_(std::move(identifier)),
        source_(std::move(source)),
        destination_(std::move(destination)) {}
  const std::string& identifier() const { return identifier_; }
  const std::shared_ptr<ViewController>& source() const { return source_; }
  const std::shared_ptr<ViewController>& destination() const { return destination_; }

 private:
  std::string identifier_;
  std::shared_ptr<ViewController> source_;
  std::shared_ptr<ViewController> destination_;
};

// Storyboards by name (each makes its initial controller) and modal segues by
// identifier (each makes a fresh destination every time it is performed).
class Storyboard {
 public:
  using Factory = std::function<std::shared_ptr<ViewController>()>;
  static void registerStoryboard(const std::string& name, Factory initial);
  static std::shared_ptr<ViewController> instantiateInitial(const std::string& name);
  static void registerSegue(const std::string& identifier, Factory destination);
  static std::shared_ptr<ViewController> destinationForSegue(const std::string& identifier);
};

}  // namespace ui
