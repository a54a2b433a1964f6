#include "platform/foundation/Bundle.h"

#include <cstdint>
#include <string_view>
#include <system_error>
#include <utility>

#include <glib.h>
#include <plist/plist.h>

#include "platform/foundation/Localization.h"

namespace foundation {

namespace {

// An Info.plist is a few hundred bytes; refuse to pull anything absurd into memory.
constexpr std::uintmax_t kMaxInfoPlistBytes = 1 << 20;
// The one Info.plist string shown to the user, so the one that is translated
// (the template takes it from data/Info.plist.in).
constexpr std::string_view kLocalizedKey = "CFBundleDisplayName";

std::filesystem::path mainResourceDir() {
  std::error_code error;
  auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  auto folder = error ? std::filesystem::current_path(error) : executable.parent_path();
  auto beside = folder / "share";
  if (std::filesystem::is_directory(beside, error)) return beside;
  return (folder / ".." / "share" / "tamarock").lexically_normal();
}

std::mutex mainMutex;
std::unique_ptr<Bundle> mainBundle;

}  // namespace

void Bundle::PlistFree::operator()(void* plist) const {
  plist_free(static_cast<plist_t>(plist));
}

const Bundle& Bundle::main() {
  std::lock_guard lock(mainMutex);
  if (!mainBundle) mainBundle = std::make_unique<Bundle>(mainResourceDir());
  return *mainBundle;
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

void Bundle::loadInfoDictionary() const {
  auto file = resourceDir_ / "Info.plist";
  std::error_code error;
  auto size = std::filesystem::file_size(file, error);
  if (error || size == 0 || size > kMaxInfoPlistBytes) return;

  gchar* rawContents = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(file.c_str(), &rawContents, &length, nullptr)) return;
  std::unique_ptr<gchar, decltype(&g_free)> contents(rawContents, g_free);
  if (length == 0 || length > kMaxInfoPlistBytes) return;

  plist_t root = nullptr;
  plist_from_memory(contents.get(), static_cast<std::uint32_t>(length), &root);
  info_.reset(root);
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
    loadInfoDictionary();
    loaded_ = true;
  }
  auto root = static_cast<plist_t>(info_.get());
  if (root == nullptr || plist_get_node_type(root) != PLIST_DICT) return std::nullopt;
  plist_t value = plist_dict_get_item(root, key.c_str());
  if (value == nullptr || plist_get_node_type(value) != PLIST_STRING) return std::nullopt;
  std::uint64_t valueLength = 0;
  const char* text = plist_get_string_ptr(value, &valueLength);
  if (text == nullptr) return std::nullopt;
  return std::string(text, valueLength);
}

}  // namespace foundation
