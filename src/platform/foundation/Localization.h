#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace foundation {

// User-visible text in the user's language, through gettext catalogues
// (<localeDir>/<language>/LC_MESSAGES/<domain>.mo).
class Localization {
 public:
  // Takes the locale from the environment (setlocale(LC_ALL, "")), binds the
  // domain to localeDir with UTF-8 output and makes it the default domain.
  // The language is chosen as GNU programs choose it: LANGUAGE (a list, under
  // any locale but plain C), else the first set of LC_ALL, LC_MESSAGES and
  // LANG; and it holds even when the machine lacks that locale: the program
  // then runs in C.UTF-8 with the language passed on in LANGUAGE, for itself
  // and the programs it starts. Call on the main thread before any other
  // thread starts translating, or reads the environment.
  static void bind(const std::string& domain, const std::filesystem::path& localeDir);
  // The translation of msgid in the bound domain, or msgid itself when there
  // is none (or nothing has been bound yet). Any thread may call.
  static std::string translate(const char* msgid);
  // The language of the catalogue the translations come from, as its header
  // names it ("ar", "pt_BR"); empty while the text stays untranslated.
  static std::string language();
  // Whether text in `language` ("he", "ar_EG.UTF-8", "fa@...") runs from right
  // to left. Empty and unknown languages run left to right.
  static bool isRightToLeft(std::string_view language);
};

}  // namespace foundation
