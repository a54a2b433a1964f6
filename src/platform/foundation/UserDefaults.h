#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <variant>

typedef struct _GKeyFile GKeyFile;

namespace foundation {

// Persisted settings: one GKeyFile, group [Defaults], one key per setting.
//
// A setter that changes nothing writes nothing. A change saves the whole file at once (write to a
// temporary file, then rename), so a crash never leaves half a file behind. Changes made during a
// turn of a run loop are saved together when that turn ends, before the loop sleeps again; made
// anywhere else they are saved at once. A failed save keeps the value in memory and is reported
// through lastSaveSucceeded()/lastError(); nothing here throws, prints or exits.
//
// Values are read as leniently as a hand-edited file needs (see SettingsText); a value that still
// does not read stays in the file untouched until its key is set.
//
// Any thread may call any member: one mutex guards the state.
class UserDefaults {
 public:
  using Value = std::variant<bool, std::int64_t>;

  // Missing: no file yet. Loaded: read and parsed. SetAside: the file could not be parsed and was
  // moved to setAsidePath(). Unreadable: the file exists but could not be read, or could not be
  // moved aside; it is never written over. InMemory: there is no file; nothing is read or saved.
  enum class LoadState { Missing, Loaded, SetAside, Unreadable, InMemory };

  // Loads the file at once, and removes what interrupted saves of it left behind.
  explicit UserDefaults(std::filesystem::path file);
  // Keeps the settings in memory only, for the life of this object.
  UserDefaults();
  // Saves what is still unsaved.
  ~UserDefaults();
  UserDefaults(const UserDefaults&) = delete;
  UserDefaults& operator=(const UserDefaults&) = delete;

  // $XDG_CONFIG_HOME/<app>/settings.ini, falling back to $HOME/.config/<app>/settings.ini, or to
  // the password database's home folder when HOME is unset. Only absolute paths count; without
  // one there is no place for settings, and nullopt says so.
  static std::optional<std::filesystem::path> standardPath(const std::string& app);

  // The process-wide instance, opened on first use at standardPath() of the process name, or kept
  // in memory when there is no such path or no name.
  static UserDefaults& standard();
  // Replaces the process-wide instance (tests point it at a temporary file), saving what the old
  // one had not saved yet first. References obtained from standard() before the call dangle
  // afterwards.
  static void resetStandard(std::filesystem::path file);

  // Values that apply while the file holds none of its own for the key. A later
  // registration of the same key replaces the earlier one. Never saved.
  void registerDefaults(const std::map<std::string, Value>& defaults);

  // The stored value, else the registered one, else false / 0. A stored value
  // that does not read as the type asked for (or lies outside the 64-bit
  // range) counts as not stored.
  bool boolForKey(const std::string& key) const;
  std::int64_t integerForKey(const std::string& key) const;
  // As integerForKey, except that a stored number beyond the 64-bit range reads as the nearest
  // 64-bit number, as the platform's own store reads it: for a number the caller range-checks,
  // where such a number must stay out of range rather than fall back to the default.
  std::int64_t clampedIntegerForKey(const std::string& key) const;
  // Only what the file itself holds for the key, if it reads as the type asked for.
  std::optional<bool> storedBoolForKey(const std::string& key) const;
  std::optional<std::int64_t> storedIntegerForKey(const std::string& key) const;

  // Stores the value and saves the file, unless the file already holds that value.
  void setBool(const std::string& key, bool value);
  void setInteger(const std::string& key, std::int64_t value);

  LoadState loadState() const;
  // Where a file that could not be parsed was moved to.
  std::optional<std::filesystem::path> setAsidePath() const;
  // True until a save fails; a later successful save makes it true again.
  bool lastSaveSucceeded() const;
  // Why the last save failed, or what went wrong while loading; empty after a
  // successful save.
  std::string lastError() const;
  // How many times the file has been written.
  std::uint64_t saveCount() const;

 private:
  struct KeyFileFree {
    void operator()(GKeyFile* keyFile) const;
  };

  void load();
  void setAsideCorruptFile(const std::string& reason);
  std::optional<std::string> storedText(const std::string& key) const;
  std::optional<bool> storedBool(const std::string& key) const;
  std::optional<std::int64_t> storedInteger(const std::string& key, bool clamped) const;
  std::int64_t integerOrDefault(const std::string& key, bool clamped) const;
  std::optional<Value> registered(const std::string& key) const;
  bool holds(const std::string& key, const Value& value) const;
  void store(const std::string& key, const Value& value);
  void saveAtEndOfTurn();
  void saveIfChanged();
  void save();

  mutable std::mutex mutex_;
  const std::optional<std::filesystem::path> file_;
  std::unique_ptr<GKeyFile, KeyFileFree> keyFile_;
  std::map<std::string, Value> registered_;
  LoadState loadState_ = LoadState::Missing;
  std::optional<std::filesystem::path> setAsidePath_;
  bool lastSaveSucceeded_ = true;
  std::string lastError_;
  bool unsaved_ = false;
  std::uint64_t saveCount_ = 0;
  // Saves waiting for the end of a turn refer back through this, so that they do nothing once
  // this object is gone.
  const std::shared_ptr<UserDefaults*> self_ = std::make_shared<UserDefaults*>(this);
};

}  // namespace foundation
