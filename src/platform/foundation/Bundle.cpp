#include "platform/foundation/Bundle.h"

#include <unistd.h>

#include <cstdint>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/foundation/Localization.h"
#include "platform/foundation/ProcessInfo.h"

namespace foundation {

namespace {

// An Info.plist is a few hundred bytes; refuse to pull anything absurd into memory.
constexpr std::uintmax_t kMaxInfoPlistBytes = 1 << 20;
// The one Info.plist string shown to the user, so the one that is translated
// (the template takes it from data/Info.plist.in).
constexpr std::string_view kLocalizedKey = "CFBundleDisplayName";

std::filesystem::path executableFolder() {
  std::error_code error;
  auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path(error) : executable.parent_path();
}

bool isExecutableFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

std::filesystem::path mainResourceDir() {
  std::error_code error;
  auto folder = executableFolder();
  auto beside = folder / "share";
  if (std::filesystem::is_directory(beside, error)) return beside;
  return (folder / ".." / "share" / ProcessInfo::processName()).lexically_normal();
}

std::mutex mainMutex;
std::unique_ptr<Bundle> mainBundle;

}  // namespace

const Bundle& Bundle::main() {
  std::lock_guard lock(mainMutex);
  if (!mainBundle) mainBundle = std::make_unique<Bundle>(mainResourceDir());
  return *mainBundle;
}

std::optional<std::filesystem::path> Bundle::pathForAuxiliaryExecutable(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  auto folder = executableFolder();
  for (auto candidate :
       {folder / name, folder / ".." / "libexec" / ProcessInfo::processName() / name}) {
    if (isExecutableFile(candidate)) return candidate.lexically_normal();
  }
  return std::nullopt;
}

void Bundle::resetMain(std::filesystem::path resourceDir) {
  auto replacement = std::make_unique<Bundle>(std::move(resourceDir));
  std::lock_guard lock(mainMutex);
  mainBundle = std::move(replacement);
}

Bundle::Bundle(std::filesystem::path resourceDir) : resourceDir_(std::move(resourceDir)) {}

Bundle::~Bundle() = default;

const std::filesystem::path& Bundle::resourcePath() const {
  return resourceDir_;
}

std::optional<std::string> Bundle::objectForInfoDictionaryKey(const std::string& key) const {
  auto value = infoDictionaryString(key);
  // gettext's translation of the empty string is the catalogue's header.
  if (!value || key != kLocalizedKey || value->empty() || value->find('\0') != std::string::npos) {
    return value;
  }
  return Localization::translate(value->c_str());
}

std::optional<std::string> Bundle::infoDictionaryString(const std::string& key) const {
  if (key.find('\0') != std::string::npos) return std::nullopt;
  std::lock_guard lock(mutex_);
  if (!loaded_) {
    info_ = PropertyList::dictionaryFromFile(resourceDir_ / "Info.plist", kMaxInfoPlistBytes);
    loaded_ = true;
  }
  if (!info_) return std::nullopt;
  return info_->stringForKey(key);
}

}  // namespace foundation
