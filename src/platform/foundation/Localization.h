#pragma once

#include <filesystem>
#include <string>

namespace foundation {

// User-visible text in the user's language, through gettext catalogues
// (<localeDir>/<language>/LC_MESSAGES/<domain>.mo).
class Localization {
 public:
  // Takes the locale from the environment (setlocale(LC_ALL, "")), binds the
  // domain to localeDir with UTF-8 output and makes it the default domain.
  // Call on the main thread before any other thread starts translating.
  static void bind(const std::string& domain, const std::filesystem::path& localeDir);
  // The translation of msgid in the bound domain, or msgid itself when there
  // is none (or nothing has been bound yet). Any thread may call.
  static std::string translate(const char* msgid);
};

}  // namespace foundation
