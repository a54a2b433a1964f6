// The settings file as a person may have left it: loaded, read as every type, saved after a change
// and loaded again. A file that loads must keep what it held for the keys not set.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "FatalGLibWarnings.h"
#include "platform/foundation/SettingsText.h"
#include "platform/foundation/UserDefaults.h"

namespace fs = std::filesystem;
using foundation::SettingsText;
using foundation::UserDefaults;

namespace {

void require(bool holds) {
  if (!holds) std::abort();
}

const fs::path& folder() {
  static const fs::path made = [] {
    std::string pattern = (fs::temp_directory_path() / "tamarock-settings-fuzz-XXXXXX").string();
    require(mkdtemp(pattern.data()) != nullptr);
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(folder(), ignored);
    });
    return fs::path(pattern);
  }();
  return made;
}

struct Reading {
  std::optional<bool> flag;
  std::optional<std::int64_t> number;
  bool operator==(const Reading&) const = default;
};

Reading read(const UserDefaults& defaults, const std::string& key) {
  return {defaults.storedBoolForKey(key), defaults.storedIntegerForKey(key)};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  makeGLibWarningsFatal();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  // The value readers on their own, as they meet a value between '=' and the end of the line.
  SettingsText::readBool(text);
  if (auto number = SettingsText::readInteger(text); number && number->beyondRange) {
    require(number->value == INT64_MIN || number->value == INT64_MAX);
  }

  // Each run starts from an empty folder: a damaged file is moved aside beside the file.
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder())) fs::remove_all(entry.path(), ignored);
  const fs::path file = folder() / "settings.ini";
  std::ofstream(file, std::ios::binary).write(text.data(), static_cast<std::streamsize>(size));

  const std::string keys[] = {"FirstLaunch", "RandomColors", "SkipUpdateBuild", "CurrentAction"};
  Reading before[std::size(keys)];
  {
    UserDefaults defaults(file);
    for (std::size_t i = 0; i < std::size(keys); ++i) {
      defaults.boolForKey(keys[i]);
      defaults.integerForKey(keys[i]);
      defaults.clampedIntegerForKey(keys[i]);
      before[i] = read(defaults, keys[i]);
    }
    auto state = defaults.loadState();
    if (state == UserDefaults::LoadState::Unreadable) return 0;
    defaults.setInteger("CurrentAction", 5);
    require(defaults.lastSaveSucceeded());
    require(defaults.integerForKey("CurrentAction") == 5);
    if (state == UserDefaults::LoadState::SetAside) return 0;
  }
  UserDefaults reopened(file);
  require(reopened.loadState() == UserDefaults::LoadState::Loaded);
  require(reopened.storedIntegerForKey("CurrentAction") == 5);
  for (std::size_t i = 0; i + 1 < std::size(keys); ++i)
    require(read(reopened, keys[i]) == before[i]);
  return 0;
}
