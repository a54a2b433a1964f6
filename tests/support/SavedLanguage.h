#pragma once

#include <optional>
#include <string>
#include <vector>

// Takes the language settings out of the process's environment (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG) for as long as it lives, and then puts them, the
// process's locale and the folder of the program's catalogues back as they
// were, so that a test may choose any language and catalogue and the tests
// after it see the ones the suite started with.
class SavedLanguage {
 public:
  SavedLanguage();
  ~SavedLanguage();
  SavedLanguage(const SavedLanguage&) = delete;
  SavedLanguage& operator=(const SavedLanguage&) = delete;

  // Sets one variable; a null value unsets it.
  static void set(const char* name, const char* value);

 private:
  std::vector<std::optional<std::string>> variables_;
  std::string locale_;
  std::string catalogues_;
};
