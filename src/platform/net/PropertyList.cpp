#include "platform/net/PropertyList.h"

#include <plist/plist.h>

#include <cstdint>
#include <limits>

namespace net {

void PropertyList::PlistFree::operator()(void* plist) const {
  plist_free(static_cast<plist_t>(plist));
}

std::optional<PropertyList> PropertyList::dictionaryFromData(std::string_view data) {
  if (data.empty() || data.size() > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  plist_t root = nullptr;
  plist_from_memory(data.data(), static_cast<std::uint32_t>(data.size()), &root);
  std::shared_ptr<void> owned(root, PlistFree{});
  if (root == nullptr || plist_get_node_type(root) != PLIST_DICT) return std::nullopt;
  return PropertyList(std::move(owned));
}

std::optional<std::string> PropertyList::stringForKey(const std::string& key) const {
  if (key.find('\0') != std::string::npos) return std::nullopt;
  plist_t value = plist_dict_get_item(static_cast<plist_t>(root_.get()), key.c_str());
  if (value == nullptr || plist_get_node_type(value) != PLIST_STRING) return std::nullopt;
  std::uint64_t length = 0;
  const char* text = plist_get_string_ptr(value, &length);
  if (text == nullptr) return std::nullopt;
  return std::string(text, length);
}

bool PropertyList::containsKey(const std::string& key) const {
  if (key.find('\0') != std::string::npos) return false;
  return plist_dict_get_item(static_cast<plist_t>(root_.get()), key.c_str()) != nullptr;
}

std::size_t PropertyList::count() const {
  return plist_dict_get_size(static_cast<plist_t>(root_.get()));
}

}  // namespace net
