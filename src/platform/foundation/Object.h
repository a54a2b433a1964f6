#pragma once

#include <memory>
#include <utility>

namespace foundation {

template <class T, class... Args>
std::shared_ptr<T> create(Args&&... args);

// Common base of views, controllers and behaviours. Lives in a shared_ptr;
// back-references to it are weak_ptr. Because weak_from_this() is empty inside
// a constructor, anything an object must schedule weakly about itself happens
// in didCreate(), which create() calls right after construction.
//
// create() is the only way to make one: every class below Object stays
// abstract until create() seals it, since only create() holds the passkey the
// sealing override takes. std::make_shared<SomeView>() or a SomeView on the
// stack, which would skip didCreate(), does not compile.
class Object : public std::enable_shared_from_this<Object> {
  class Passkey {
    Passkey() = default;
    template <class T>
    friend class Created;
  };

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
  friend class Created;

  template <class T>
  std::shared_ptr<T> sharedAs() {
    return std::static_pointer_cast<T>(shared_from_this());
  }
  template <class T>
  std::weak_ptr<T> weakAs() {
    return std::static_pointer_cast<T>(shared_from_this());
  }

 private:
  // Implemented only by create()'s own final class, which alone can name the key.
  virtual void sealedByCreate(Passkey) = 0;
};

// What create() makes: the class asked for, sealed.
template <class T>
class Created final : public T {
 public:
  using T::T;

 private:
  void sealedByCreate(Object::Passkey) override {}
};

// The one factory of every Object: constructs, then lets the object wire what
// needs a weak reference to itself.
template <class T, class... Args>
std::shared_ptr<T> create(Args&&... args) {
  std::shared_ptr<T> object = std::make_shared<Created<T>>(std::forward<Args>(args)...);
  static_cast<Object&>(*object).didCreate();
  return object;
}

}  // namespace foundation
