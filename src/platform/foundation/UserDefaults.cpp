#include "platform/foundation/UserDefaults.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string_view>
#include <system_error>
#include <utility>

#include <glib.h>

#include "platform/foundation/ProcessInfo.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SettingsDisk.h"
#include "platform/foundation/SettingsText.h"

namespace foundation {

namespace {

constexpr const char* kGroup = "Defaults";
// A save takes milliseconds; a temporary file this old belongs to no save still running.
constexpr std::chrono::seconds kStaleSaveAge{30};

struct ErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
using Error = std::unique_ptr<GError, ErrorFree>;

struct CharsFree {
  void operator()(gchar* chars) const { g_free(chars); }
};
using Chars = std::unique_ptr<gchar, CharsFree>;

std::string describeErrno(int code) {
  return std::generic_category().message(code);
}

// GKeyFile refuses such keys with a critical warning on stderr; we refuse them
// quietly instead.
bool isValidKey(const std::string& key) {
  if (key.empty() || key.front() == ' ' || key.back() == ' ') return false;
  if (key.find_first_of("=[]\n\r") != std::string::npos) return false;
  return g_utf8_validate(key.data(), static_cast<gssize>(key.size()), nullptr);
}

std::string localTimestamp() {
  std::unique_ptr<GDateTime, void (*)(GDateTime*)> now(g_date_time_new_now_local(),
                                                       g_date_time_unref);
  if (!now) return "unknown";
  Chars text(g_date_time_format(now.get(), "%Y%m%d-%H%M%S"));
  return text ? text.get() : "unknown";
}

std::mutex standardMutex;
std::unique_ptr<UserDefaults> standardInstance;

}  // namespace

void UserDefaults::KeyFileFree::operator()(GKeyFile* keyFile) const {
  g_key_file_free(keyFile);
}

UserDefaults::UserDefaults(std::filesystem::path file)
    : file_(std::move(file)), keyFile_(g_key_file_new()) {
  load();
}

UserDefaults::UserDefaults() : keyFile_(g_key_file_new()), loadState_(LoadState::InMemory) {}

UserDefaults::~UserDefaults() {
  std::lock_guard lock(mutex_);
  saveIfChanged();
}

std::optional<std::filesystem::path> UserDefaults::standardPath(const std::string& app) {
  auto absolute = [](const char* path) {
    return path != nullptr && std::filesystem::path(path).is_absolute();
  };
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (absolute(xdg)) return std::filesystem::path(xdg) / app / "settings.ini";
  // GLib asks the password database only when HOME is unset; an empty or relative HOME would put
  // the settings wherever the program happened to be started.
  const char* home = std::getenv("HOME");
  if (home == nullptr) home = g_get_home_dir();
  if (!absolute(home)) return std::nullopt;
  return std::filesystem::path(home) / ".config" / app / "settings.ini";
}

UserDefaults& UserDefaults::standard() {
  std::lock_guard lock(standardMutex);
  if (!standardInstance) {
    auto name = ProcessInfo::processName();
    auto path = name.empty() ? std::nullopt : standardPath(name);
    standardInstance =
        path ? std::make_unique<UserDefaults>(*path) : std::make_unique<UserDefaults>();
  }
  return *standardInstance;
}

void UserDefaults::resetStandard(std::filesystem::path file) {
  std::lock_guard lock(standardMutex);
  // The old instance saves what it holds before the new one reads the file.
  standardInstance.reset();
  standardInstance = std::make_unique<UserDefaults>(std::move(file));
}

void UserDefaults::load() {
  if (auto target = SettingsDisk::saveTarget(*file_)) {
    SettingsDisk::removeStaleSaveTemporaries(*target, kStaleSaveAge);
  }
  std::error_code statusError;
  auto status = std::filesystem::status(*file_, statusError);
  if (status.type() == std::filesystem::file_type::not_found) {
    loadState_ = LoadState::Missing;
    return;
  }
  if (statusError || status.type() != std::filesystem::file_type::regular) {
    loadState_ = LoadState::Unreadable;
    lastError_ = "cannot read settings file " + file_->string() + ": " +
                 (statusError ? statusError.message() : std::string("not a regular file"));
    return;
  }

  gchar* rawContents = nullptr;
  gsize length = 0;
  GError* rawError = nullptr;
  bool read = g_file_get_contents(file_->c_str(), &rawContents, &length, &rawError);
  Chars contents(rawContents);
  Error error(rawError);
  if (!read) {
    bool vanished = g_error_matches(error.get(), G_FILE_ERROR, G_FILE_ERROR_NOENT);
    loadState_ = vanished ? LoadState::Missing : LoadState::Unreadable;
    if (!vanished) lastError_ = error->message;
    return;
  }

  std::string_view text(contents.get(), length);
  // Some editors start a UTF-8 file with a byte-order mark, which GKeyFile would take for a line
  // of garbage.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  // GKeyFile stops at an embedded NUL and takes the rest on trust; a settings
  // file with either is damaged, not something to half-read and then save over.
  if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    setAsideCorruptFile("not valid UTF-8 text");
    return;
  }
  auto flags = static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS);
  if (!g_key_file_load_from_data(keyFile_.get(), text.data(), text.size(), flags, &rawError)) {
    error.reset(rawError);
    // A failed parse may leave part of the file behind; start clean.
    keyFile_.reset(g_key_file_new());
    setAsideCorruptFile(error->message);
    return;
  }
  loadState_ = LoadState::Loaded;
}

void UserDefaults::setAsideCorruptFile(const std::string& reason) {
  std::string stem = file_->filename().string() + ".corrupt-" + localTimestamp();
  int failure = 0;
  for (int counter = 0; counter < 1000; ++counter) {
    auto candidate =
        file_->parent_path() / (counter == 0 ? stem : stem + "-" + std::to_string(counter));
    failure = SettingsDisk::renameWithoutReplacing(*file_, candidate);
    if (failure == 0) {
      loadState_ = LoadState::SetAside;
      setAsidePath_ = candidate;
      lastError_ = "settings file " + file_->string() + " was damaged (" + reason + "); moved to " +
                   candidate.string();
      return;
    }
    if (failure != EEXIST) break;
  }
  // Keeping the damaged file where it is means never saving over it either.
  loadState_ = LoadState::Unreadable;
  lastError_ = "settings file " + file_->string() + " was damaged (" + reason +
               ") and could not be moved aside: " + describeErrno(failure);
}

void UserDefaults::registerDefaults(const std::map<std::string, Value>& defaults) {
  std::lock_guard lock(mutex_);
  for (const auto& [key, value] : defaults) registered_[key] = value;
}

std::optional<std::string> UserDefaults::storedText(const std::string& key) const {
  if (!isValidKey(key)) return std::nullopt;
  Chars text(g_key_file_get_value(keyFile_.get(), kGroup, key.c_str(), nullptr));
  if (!text) return std::nullopt;
  return std::string(text.get());
}

std::optional<bool> UserDefaults::storedBool(const std::string& key) const {
  auto text = storedText(key);
  return text ? SettingsText::readBool(*text) : std::nullopt;
}

std::optional<std::int64_t> UserDefaults::storedInteger(const std::string& key,
                                                        bool clamped) const {
  auto text = storedText(key);
  auto number = text ? SettingsText::readInteger(*text) : std::nullopt;
  if (!number || (number->beyondRange && !clamped)) return std::nullopt;
  return number->value;
}

std::optional<UserDefaults::Value> UserDefaults::registered(const std::string& key) const {
  auto found = registered_.find(key);
  if (found == registered_.end()) return std::nullopt;
  return found->second;
}

bool UserDefaults::boolForKey(const std::string& key) const {
  std::lock_guard lock(mutex_);
  if (auto value = storedBool(key)) return *value;
  if (auto value = registered(key)) {
    return std::visit([](auto v) { return v != 0; }, *value);
  }
  return false;
}

std::int64_t UserDefaults::integerForKey(const std::string& key) const {
  return integerOrDefault(key, false);
}

std::int64_t UserDefaults::clampedIntegerForKey(const std::string& key) const {
  return integerOrDefault(key, true);
}

std::int64_t UserDefaults::integerOrDefault(const std::string& key, bool clamped) const {
  std::lock_guard lock(mutex_);
  if (auto value = storedInteger(key, clamped)) return *value;
  if (auto value = registered(key)) {
    return std::visit([](auto v) { return static_cast<std::int64_t>(v); }, *value);
  }
  return 0;
}

std::optional<bool> UserDefaults::storedBoolForKey(const std::string& key) const {
  std::lock_guard lock(mutex_);
  return storedBool(key);
}

std::optional<std::int64_t> UserDefaults::storedIntegerForKey(const std::string& key) const {
  std::lock_guard lock(mutex_);
  return storedInteger(key, false);
}

void UserDefaults::setBool(const std::string& key, bool value) {
  std::lock_guard lock(mutex_);
  store(key, value);
}

void UserDefaults::setInteger(const std::string& key, std::int64_t value) {
  std::lock_guard lock(mutex_);
  store(key, value);
}

bool UserDefaults::holds(const std::string& key, const Value& value) const {
  if (const bool* flag = std::get_if<bool>(&value)) return storedBool(key) == *flag;
  return storedInteger(key, false) == std::get<std::int64_t>(value);
}

void UserDefaults::store(const std::string& key, const Value& value) {
  if (!isValidKey(key)) {
    lastSaveSucceeded_ = false;
    lastError_ = "not a valid settings key: \"" + key + "\"";
    return;
  }
  if (!holds(key, value)) {
    if (const bool* flag = std::get_if<bool>(&value)) {
      g_key_file_set_boolean(keyFile_.get(), kGroup, key.c_str(), *flag);
    } else {
      g_key_file_set_int64(keyFile_.get(), kGroup, key.c_str(), std::get<std::int64_t>(value));
    }
    unsaved_ = true;
  }
  // Also when this value was there already: an earlier save of it may have failed.
  if (unsaved_) saveAtEndOfTurn();
}

void UserDefaults::saveAtEndOfTurn() {
  std::weak_ptr<UserDefaults*> weakSelf = self_;
  bool deferred = RunLoop::atEndOfTurn([weakSelf] {
    auto self = weakSelf.lock();
    if (!self) return;
    std::lock_guard lock((*self)->mutex_);
    (*self)->saveIfChanged();
  });
  if (!deferred) save();
}

void UserDefaults::saveIfChanged() {
  if (unsaved_) save();
}

void UserDefaults::save() {
  if (loadState_ == LoadState::InMemory) {
    unsaved_ = false;
    return;
  }
  if (loadState_ == LoadState::Unreadable) {
    lastSaveSucceeded_ = false;
    lastError_ = "not saving over settings file " + file_->string() + ", which could not be read";
    return;
  }
  auto folder = file_->parent_path();
  if (!folder.empty() && g_mkdir_with_parents(folder.c_str(), 0700) != 0) {
    lastSaveSucceeded_ = false;
    lastError_ = "cannot create folder " + folder.string() + ": " + describeErrno(errno);
    return;
  }
  // A settings file linked in from elsewhere (a dotfiles repository) stays a
  // link: write where it points rather than replacing the link itself, also
  // when nothing is there yet.
  auto target = SettingsDisk::saveTarget(*file_);
  if (!target) {
    lastSaveSucceeded_ = false;
    lastError_ = "cannot save settings file " + file_->string() + ": " + describeErrno(ELOOP);
    return;
  }
  GError* rawError = nullptr;
  if (!g_key_file_save_to_file(keyFile_.get(), target->c_str(), &rawError)) {
    Error error(rawError);
    lastSaveSucceeded_ = false;
    lastError_ = error->message;
    return;
  }
  ++saveCount_;
  unsaved_ = false;
  lastSaveSucceeded_ = true;
  lastError_.clear();
}

UserDefaults::LoadState UserDefaults::loadState() const {
  std::lock_guard lock(mutex_);
  return loadState_;
}

std::optional<std::filesystem::path> UserDefaults::setAsidePath() const {
  std::lock_guard lock(mutex_);
  return setAsidePath_;
}

bool UserDefaults::lastSaveSucceeded() const {
  std::lock_guard lock(mutex_);
  return lastSaveSucceeded_;
}

std::string UserDefaults::lastError() const {
  std::lock_guard lock(mutex_);
  return lastError_;
}

std::uint64_t UserDefaults::saveCount() const {
  std::lock_guard lock(mutex_);
  return saveCount_;
}

}  // namespace foundation
