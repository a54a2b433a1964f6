#include "platform/foundation/Localization.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <cstdlib>
#include <mutex>

#include <libintl.h>

namespace foundation {

namespace {

std::mutex domainMutex;
std::string boundDomain;

const char* nonEmptyVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

// setlocale(LC_ALL, "") has failed: the environment names a locale this
// machine has not generated (LANG=ar_EG.UTF-8 on a system with only C.UTF-8),
// and everything stayed at plain C, under which gettext ignores every language
// setting. The texts still come in the asked language through C.UTF-8, which
// glibc always has and under which gettext reads LANGUAGE.
void keepTheLanguageWithoutItsLocale() {
  if (std::setlocale(LC_ALL, "C.UTF-8") == nullptr) return;
  // Perhaps only another category was missing and the messages' own locale is there.
  if (std::setlocale(LC_MESSAGES, "") != nullptr) return;
  if (nonEmptyVariable("LANGUAGE") != nullptr) return;
  // The variable that would have chosen the messages' locale, in POSIX's order;
  // gettext makes "ar_EG.UTF-8" into ar_EG, then ar.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = nonEmptyVariable(name)) {
      setenv("LANGUAGE", value, 1);
      return;
    }
  }
}

}  // namespace

void Localization::bind(const std::string& domain, const std::filesystem::path& localeDir) {
  if (std::setlocale(LC_ALL, "") == nullptr) keepTheLanguageWithoutItsLocale();
  bindtextdomain(domain.c_str(), localeDir.c_str());
  // Whatever the locale's own encoding, our strings go to Pango, which wants UTF-8.
  bind_textdomain_codeset(domain.c_str(), "UTF-8");
  textdomain(domain.c_str());
  std::lock_guard lock(domainMutex);
  boundDomain = domain;
}

std::string Localization::translate(const char* msgid) {
  if (msgid == nullptr) return {};
  std::string domain;
  {
    std::lock_guard lock(domainMutex);
    domain = boundDomain;
  }
  if (domain.empty()) return msgid;
  return dgettext(domain.c_str(), msgid);
}

std::string Localization::language() {
  // The empty message's translation is the catalogue's header, one "Field: value"
  // a line; gettext itself says no more about which catalogue it picked.
  std::string header = translate("");
  constexpr std::string_view kField = "Language:";
  for (std::size_t start = 0; start < header.size();) {
    std::size_t end = std::min(header.find('\n', start), header.size());
    std::string_view line(header.data() + start, end - start);
    if (line.substr(0, kField.size()) == kField) {
      line.remove_prefix(kField.size());
      while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
      while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.remove_suffix(1);
      return std::string(line);
    }
    start = end + 1;
  }
  return {};
}

bool Localization::isRightToLeft(std::string_view language) {
  // The languages whose usual script (Arabic, Hebrew, Thaana, Syriac, N'Ko)
  // runs right to left; a modifier naming another script turns that off.
  static constexpr std::array<std::string_view, 18> kRightToLeft = {
      "ar",  "arc", "azb", "ckb", "dv", "fa",  "he", "iw", "ks",
      "lrc", "mzn", "nqo", "ps",  "sd", "syr", "ug", "ur", "yi"};
  std::string_view code = language.substr(0, language.find_first_of("_.@-"));
  if (std::find(kRightToLeft.begin(), kRightToLeft.end(), code) == kRightToLeft.end()) {
    return false;
  }
  auto at = language.find('@');
  if (at == std::string_view::npos) return true;
  std::string_view modifier = language.substr(at + 1);
  return modifier != "latin" && modifier != "devanagari" && modifier != "cyrillic";
}

}  // namespace foundation
