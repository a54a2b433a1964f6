#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace net {

// A property list (XML or binary) whose root is a dictionary with string keys,
// parsed by libplist. Immutable once made; any thread may read it.
class PropertyList {
 public:
  // Nothing when `data` is not a well-formed property list or its root is not
  // a dictionary.
  static std::optional<PropertyList> dictionaryFromData(std::string_view data);

  // The string under `key`; nothing when the key is absent or holds another type.
  std::optional<std::string> stringForKey(const std::string& key) const;
  bool containsKey(const std::string& key) const;
  std::size_t count() const;

 private:
  struct PlistFree {
    void operator()(void* plist) const;
  };
  explicit PropertyList(std::shared_ptr<void> root) : root_(std::move(root)) {}

  std::shared_ptr<void> root_;  // a PLIST_DICT node, shared between copies
};

}  // namespace net
