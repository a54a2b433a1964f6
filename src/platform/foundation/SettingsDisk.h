#pragma once

#include <chrono>
#include <filesystem>
#include <optional>

namespace foundation {

// The file-system side of keeping one settings file: where a save lands, what an interrupted save
// leaves behind, and moving a damaged file out of the way.
class SettingsDisk {
 public:
  // Where a save of `file` must write so that a symbolic link stays a link: the end of the chain
  // of links, which need not exist yet, or `file` itself when it is no link. nullopt when the
  // links go round in a loop.
  static std::optional<std::filesystem::path> saveTarget(const std::filesystem::path& file);

  // GLib saves `file` by writing "<file>.XXXXXX" (six letters or digits) beside it and renaming
  // that over it; a process killed in between leaves the temporary file behind for good. Removes
  // such files once they are older than `age`, so that one another process is writing right now
  // survives. Anything else beside the file, links included, is left alone.
  static void removeStaleSaveTemporaries(const std::filesystem::path& file,
                                         std::chrono::seconds age);

  // Moves a file without ever replacing what is at the destination. Returns 0 or an errno value.
  static int renameWithoutReplacing(const std::filesystem::path& from,
                                    const std::filesystem::path& to);
};

}  // namespace foundation
