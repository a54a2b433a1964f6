#include "settings/Localize.h"

#include <filesystem>
#include <system_error>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Localization.h"

namespace Localize {

namespace {
std::string tr(const char* msgid) {
  return foundation::Localization::translate(msgid);
}
}  // namespace

std::string touch() {
  return tr("Touch");
}
std::string gravity() {
  return tr("Gravity");
}
std::string swipe() {
  return tr("Swipe");
}
std::string connect() {
  return tr("Connect");
}
std::string magnet() {
  return tr("Magnet");
}
std::string paint() {
  return tr("Paint");
}
std::string colors() {
  return tr("Random Colors");
}
std::string choices() {
  return tr("Choices");
}
std::string updatesAvailable() {
  return tr("Updates Available");
}
std::string skip() {
  return tr("Skip");
}
std::string cancel() {
  return tr("Cancel");
}
std::string download() {
  return tr("Download");
}

namespace Ellipsis {
std::string choose() {
  return tr("Choose…");
}
}  // namespace Ellipsis

std::string format(const char* format, const std::vector<std::string>& arguments) {
  std::string pattern = tr(format);
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.compare(i, 2, "%@") == 0 && next < arguments.size()) {
      out += arguments[next++];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

void setUp() {
  // Beside the program in its build folder; the system's locale folder once installed.
  auto resources = foundation::Bundle::main().resourcePath();
  auto local = resources / "locale";
  std::error_code ec;
  foundation::Localization::bind("tamarock", std::filesystem::is_directory(local, ec)
                                                 ? local
                                                 : resources.parent_path() / "locale");
}

}  // namespace Localize
