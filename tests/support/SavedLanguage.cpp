#include "support/SavedLanguage.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <iterator>

namespace {
constexpr const char* kVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
constexpr const char* kDomain = "tamarock";
}  // namespace

SavedLanguage::SavedLanguage()
    : locale_(std::setlocale(LC_ALL, nullptr)), catalogues_(bindtextdomain(kDomain, nullptr)) {
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
  std::setlocale(LC_ALL, locale_.c_str());
  bindtextdomain(kDomain, catalogues_.c_str());
  // gettext keeps what it found under the locale's name, which may be the
  // same as during the test (C.UTF-8 with another LANGUAGE); naming the
  // domain again is its signal to look afresh.
  textdomain(textdomain(nullptr));
}

void SavedLanguage::set(const char* name, const char* value) {
  value ? setenv(name, value, 1) : unsetenv(name);
}
