#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/foundation/PropertyList.h"

namespace foundation {

// A folder of read-only resources with an Info.plist (XML or binary) at its top.
class Bundle {
 public:
  // The program's own bundle: "<folder of the executable>/share" when that
  // folder exists (running from the build folder), else
  // "<folder of the executable>/../share/<process name>" (installed).
  static const Bundle& main();
  // A helper program that ships with the running one, by its file name: the
  // executable file "<folder of the executable>/<name>" (running from the
  // build folder), else "<folder of the executable>/../libexec/<process
  // name>/<name>" (installed). Nothing when neither is an executable file.
  static std::optional<std::filesystem::path> pathForAuxiliaryExecutable(const std::string& name);
  // Replaces the program's own bundle (tests). References obtained from main()
  // before the call dangle afterwards.
  static void resetMain(std::filesystem::path resourceDir);

  explicit Bundle(std::filesystem::path resourceDir);
  ~Bundle();
  Bundle(const Bundle&) = delete;
  Bundle& operator=(const Bundle&) = delete;

  const std::filesystem::path& resourcePath() const;

  // The string stored under key in the Info.plist's root dictionary. Nothing
  // when the file is missing or unparsable, the root is not a dictionary, the
  // key is absent or its value is not a string. The file is read once, on the
  // first call; any thread may call. The display name (CFBundleDisplayName)
  // comes in the user's language, as the platform's localized Info.plist
  // strings give it: its translation in the domain Localization has bound.
  std::optional<std::string> objectForInfoDictionaryKey(const std::string& key) const;

 private:
  std::optional<std::string> infoDictionaryString(const std::string& key) const;

  const std::filesystem::path resourceDir_;
  mutable std::mutex mutex_;
  mutable bool loaded_ = false;
  mutable std::optional<PropertyList> info_;
};

}  // namespace foundation
