#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// A property list whose root is a dictionary with string keys, parsed by
// libplist. Immutable once made; any thread may read it.
//
// Text that may come from the network is read only as XML, and only to a
// shallow depth: libplist copies every repeated object reference of the
// binary form, so a few hundred bytes can ask for gigabytes, and it builds,
// frees and copies a tree recursively, so a deep enough nesting overflows the
// stack. Both are refused before libplist sees a byte.
class PropertyList {
 public:
  // Elements nest at most this deep, <plist> included: a manifest needs three.
  static constexpr int kMaxDepth = 32;

  // Nothing when `data` is not a well-formed XML property list in UTF-8, nests deeper
  // than kMaxDepth, declares entities or an internal document type subset, or
  // its root is not a dictionary.
  static std::optional<PropertyList> dictionaryFromXML(std::string_view data);
  // A file the program ships with, in XML or the binary form, of at most
  // maxBytes. Nothing when it is missing, larger, unparsable or its root is not
  // a dictionary.
  static std::optional<PropertyList> dictionaryFromFile(const std::filesystem::path& file,
                                                        std::uintmax_t maxBytes);

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

}  // namespace foundation
