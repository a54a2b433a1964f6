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
  // TRANSLATORS: a row of the Choices screen naming one of the six actions of
  // the toy: a dot that jumps to a new place when touched. A noun or a short
  // verb, as a menu item.
  return tr("Touch");
}
std::string gravity() {
  // TRANSLATORS: a row of the Choices screen naming an action: dots that fall
  // and bounce.
  return tr("Gravity");
}
std::string swipe() {
  // TRANSLATORS: a row of the Choices screen naming an action: a dot to drag
  // and fling.
  return tr("Swipe");
}
std::string connect() {
  // TRANSLATORS: a row of the Choices screen naming an action: a line runs
  // from dot to dot as they are pressed (connect the dots).
  return tr("Connect");
}
std::string magnet() {
  // TRANSLATORS: a row of the Choices screen naming an action: a dot held to
  // the middle of the window by a spring.
  return tr("Magnet");
}
std::string paint() {
  // TRANSLATORS: a row of the Choices screen naming an action: finger painting
  // inside a shape.
  return tr("Paint");
}
std::string colors() {
  // TRANSLATORS: a row of the Choices screen with an on/off switch: gives each
  // dot a random colour instead of the usual one.
  return tr("Random Colors");
}
std::string choices() {
  // TRANSLATORS: the title of the screen where a grown-up picks the action and
  // turns random colours on or off.
  return tr("Choices");
}
std::string choicesFooter() {
  // TRANSLATORS: the small print below the rows of the Choices screen, the
  // only hint a grown-up gets: Ctrl+L opens this screen again, F11 makes the
  // window cover the whole screen. Keep it as short; name the keys as the
  // language's keyboards label them (German: Strg+L). Written right to left,
  // start with a word of the language: the first word sets which way the
  // sentence runs.
  return tr("Ctrl+L opens these choices. F11: full screen.");
}
std::string updatesAvailable() {
  // TRANSLATORS: the title of the notice that a newer version of the program
  // can be downloaded.
  return tr("Updates Available");
}
std::string skip() {
  // TRANSLATORS: a button of the update notice: do not offer this version
  // again.
  return tr("Skip");
}
std::string cancel() {
  // TRANSLATORS: a button of the update notice (closes it, asks again at the
  // next start) and of the Choices screen's title bar (closes it).
  return tr("Cancel");
}
std::string download() {
  // TRANSLATORS: a button of the update notice: opens the download page of the
  // newer version.
  return tr("Download");
}

std::string fullScreen() {
  // TRANSLATORS: the menu command (F11) that makes the window cover the whole
  // screen, as the desktop's own menus name it.
  return tr("Full Screen");
}

namespace Ellipsis {
std::string choose() {
  // TRANSLATORS: the menu command (Ctrl+L) that opens the Choices screen.
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
