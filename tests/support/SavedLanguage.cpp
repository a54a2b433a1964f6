#include "support/SavedLanguage.h"

#include <clocale>
#include <cstdlib>
#include <iterator>

namespace {
constexpr const char* kVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
}

SavedLanguage::SavedLanguage() : locale_(std::setlocale(LC_ALL, nullptr)) {
  for (const char* name : kVariables) {
    const char* value = std::getenv(name);
    variables_.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
    unsetenv(name);
  }
}

SavedLanguage::~SavedLanguage() {
  for (std::size_t i = 0; i < std::size(kVariables); ++i) {
    set(kVariables[i], variables_[i] ? variables_[i]->c_str() : nullptr);
  }
  // Also tells gettext to look for its catalogue again.
  std::setlocale(LC_ALL, locale_.c_str());
}

void SavedLanguage::set(const char* name, const char* value) {
  value ? setenv(name, value, 1) : unsetenv(name);
}
