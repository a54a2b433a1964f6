#include "platform/foundation/SettingsText.h"

#include <algorithm>
#include <memory>
#include <string>

#include <glib.h>

namespace foundation {

namespace {

std::string_view trimmed(std::string_view text) {
  auto isSpace = [](char c) { return g_ascii_isspace(c); };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool sameWord(std::string_view text, std::string_view word) {
  return text.size() == word.size() &&
         g_ascii_strncasecmp(text.data(), word.data(), text.size()) == 0;
}

}  // namespace

std::optional<bool> SettingsText::readBool(std::string_view text) {
  text = trimmed(text);
  for (std::string_view word : {"true", "yes", "1"}) {
    if (sameWord(text, word)) return true;
  }
  for (std::string_view word : {"false", "no", "0"}) {
    if (sameWord(text, word)) return false;
  }
  return std::nullopt;
}

std::optional<SettingsText::Integer> SettingsText::readInteger(std::string_view text) {
  text = trimmed(text);
  auto point = text.find('.');
  if (point != std::string_view::npos) {
    auto fraction = text.substr(point + 1);
    if (!std::all_of(fraction.begin(), fraction.end(), [](char c) { return g_ascii_isdigit(c); }))
      return std::nullopt;
    text = text.substr(0, point);
  }
  std::string whole(text);
  gint64 value = 0;
  GError* rawError = nullptr;
  if (g_ascii_string_to_signed(whole.c_str(), 10, G_MININT64, G_MAXINT64, &value, &rawError)) {
    return Integer{value, false};
  }
  std::unique_ptr<GError, void (*)(GError*)> error(rawError, g_error_free);
  if (!g_error_matches(error.get(), G_NUMBER_PARSER_ERROR, G_NUMBER_PARSER_ERROR_OUT_OF_BOUNDS)) {
    return std::nullopt;
  }
  return Integer{whole.front() == '-' ? G_MININT64 : G_MAXINT64, true};
}

}  // namespace foundation
