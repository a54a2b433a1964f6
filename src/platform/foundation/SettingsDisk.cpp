#include "platform/foundation/SettingsDisk.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include <glib.h>

namespace foundation {

namespace fs = std::filesystem;

std::optional<fs::path> SettingsDisk::saveTarget(const fs::path& file) {
  // The kernel's own limit on links followed while resolving one path.
  constexpr int kMaxLinks = 40;
  fs::path target = file;
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
    fs::path next = fs::read_symlink(target, error);
    if (error) return std::nullopt;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return std::nullopt;
}

void SettingsDisk::removeStaleSaveTemporaries(const fs::path& file, std::chrono::seconds age) {
  const std::string prefix = file.filename().string() + ".";
  constexpr std::size_t kRandomPart = 6;
  auto now = fs::file_time_type::clock::now();
  fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    const fs::directory_entry& entry = *entries;
    std::string name = entry.path().filename().string();
    if (name.size() != prefix.size() + kRandomPart || name.compare(0, prefix.size(), prefix) != 0)
      continue;
    auto random = name.begin() + static_cast<std::ptrdiff_t>(prefix.size());
    if (!std::all_of(random, name.end(), [](char c) { return g_ascii_isalnum(c); })) continue;
    // A word such as "backup" is a name somebody chose. The rare stale file whose random part
    // came out all lower case is left; the pile cannot grow by more than that.
    if (std::all_of(random, name.end(), [](char c) { return g_ascii_islower(c); })) continue;
    std::error_code entryError;
    if (!entry.is_regular_file(entryError) || entry.is_symlink(entryError)) continue;
    auto written = fs::last_write_time(entry.path(), entryError);
    if (entryError || now - written < age) continue;
    fs::remove(entry.path(), entryError);
  }
}

int SettingsDisk::renameWithoutReplacing(const fs::path& from, const fs::path& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // Some file systems lack RENAME_NOREPLACE; a hard link refuses to replace too.
  if (link(from.c_str(), to.c_str()) != 0) return errno;
  if (unlink(from.c_str()) != 0) return errno;
  return 0;
}

}  // namespace foundation
