#include "platform/foundation/PropertyList.h"

#include <glib.h>
#include <plist/plist.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <system_error>

namespace foundation {

namespace {

void refuse(GError** error, const char* why) {
  g_set_error_literal(error, G_MARKUP_ERROR, G_MARKUP_ERROR_INVALID_CONTENT, why);
}

void enterElement(GMarkupParseContext*, const gchar*, const gchar**, const gchar**, gpointer depth,
                  GError** error) {
  if (++*static_cast<int*>(depth) > PropertyList::kMaxDepth) refuse(error, "nested too deeply");
}

void leaveElement(GMarkupParseContext*, const gchar*, gpointer depth, GError**) {
  --*static_cast<int*>(depth);
}

void otherMarkup(GMarkupParseContext*, const gchar* text, gsize length, gpointer, GError** error) {
  // An internal subset is where entities are declared; a plist never needs one.
  std::string_view markup(text, length);
  if (markup.starts_with("<!DOCTYPE") && markup.find('[') != std::string_view::npos) {
    refuse(error, "a document type with an internal subset");
  }
}

// GLib's markup reader walks the text as a stream, keeping its open elements in
// a list rather than on the stack, and knows no entities but XML's own five:
// a safe first pass over text that libplist should not see unchecked.
bool isShallowWellFormedXml(std::string_view data) {
  // XML starts with markup, possibly after white space; the binary form and
  // anything else stop here.
  auto first = data.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos || data[first] != '<') return false;
  // A plist is UTF-8 text. GLib's reader takes a NUL byte for text, and after one inside markup
  // it may report an error and success at once, then overwrite that error with a warning on
  // stderr; with a length, validation refuses NUL bytes too.
  if (!g_utf8_validate(data.data(), static_cast<gssize>(data.size()), nullptr)) return false;

  GMarkupParser parser{};
  parser.start_element = enterElement;
  parser.end_element = leaveElement;
  parser.passthrough = otherMarkup;
  int depth = 0;
  std::unique_ptr<GMarkupParseContext, decltype(&g_markup_parse_context_free)> context(
      g_markup_parse_context_new(&parser, GMarkupParseFlags{}, &depth, nullptr),
      g_markup_parse_context_free);
  GError* error = nullptr;
  bool wellFormed = g_markup_parse_context_parse(context.get(), data.data(),
                                                 static_cast<gssize>(data.size()), &error) &&
                    g_markup_parse_context_end_parse(context.get(), &error);
  g_clear_error(&error);
  return wellFormed;
}

}  // namespace

void PropertyList::PlistFree::operator()(void* plist) const {
  plist_free(static_cast<plist_t>(plist));
}

std::optional<PropertyList> PropertyList::dictionaryFromXML(std::string_view data) {
  if (data.empty() || data.size() > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  if (!isShallowWellFormedXml(data)) return std::nullopt;
  plist_t root = nullptr;
  plist_from_xml(data.data(), static_cast<std::uint32_t>(data.size()), &root);
  std::shared_ptr<void> owned(root, PlistFree{});
  if (root == nullptr || plist_get_node_type(root) != PLIST_DICT) return std::nullopt;
  return PropertyList(std::move(owned));
}

std::optional<PropertyList> PropertyList::dictionaryFromFile(const std::filesystem::path& file,
                                                             std::uintmax_t maxBytes) {
  maxBytes = std::min<std::uintmax_t>(maxBytes, std::numeric_limits<std::uint32_t>::max());
  std::error_code error;
  auto size = std::filesystem::file_size(file, error);
  if (error || size == 0 || size > maxBytes) return std::nullopt;

  gchar* rawContents = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(file.c_str(), &rawContents, &length, nullptr)) return std::nullopt;
  std::unique_ptr<gchar, decltype(&g_free)> contents(rawContents, g_free);
  if (length == 0 || length > maxBytes) return std::nullopt;

  plist_t root = nullptr;
  plist_from_memory(contents.get(), static_cast<std::uint32_t>(length), &root);
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

}  // namespace foundation
