#include "platform/foundation/Localization.h"

#include <clocale>
#include <mutex>

#include <libintl.h>

namespace foundation {

namespace {

std::mutex domainMutex;
std::string boundDomain;

}  // namespace

void Localization::bind(const std::string& domain, const std::filesystem::path& localeDir) {
  std::setlocale(LC_ALL, "");
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

}  // namespace foundation
