#pragma once

#include <optional>
#include <string>

// What the running program's Info.plist says about itself.
struct InfoPlist {
  std::string build;  // the running build number, in decimal
  std::string version;
  std::string name;
  std::string identifier;

  // Absent when the Info.plist or its build entry is missing.
  static std::optional<InfoPlist> main();
};
