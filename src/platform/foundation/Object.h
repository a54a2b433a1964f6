#pragma once

#include <memory>
#include <utility>

namespace foundation {

// Common base of views, controllers and behaviours. Lives in a shared_ptr;
// back-references to it are weak_ptr. Because weak_from_this() is empty inside
// a constructor, anything an object must schedule weakly about itself happens
// in didCreate(), which create() calls right after construction.
class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

 protected:
  Object() = default;
  virtual void didCreate() {}

  template <class T, class... Args>
  friend std::shared_ptr<T> create(Args&&... args);

  template <class T>
  std::shared_ptr<T> sharedAs() {
    return std::static_pointer_cast<T>(shared_from_this());
  }
  template <class T>
  std::weak_ptr<T> weakAs() {
    return std::static_pointer_cast<T>(shared_from_this());
  }
};

// The one factory of every Object: constructs, then lets the object wire what
// needs a weak reference to itself.
template <class T, class... Args>
std::shared_ptr<T> create(Args&&... args) {
  auto object = std::make_shared<T>(std::forward<Args>(args)...);
  static_cast<Object&>(*object).didCreate();
  return object;
}

}  // namespace foundation
