#pragma once

#include <string>

// Property list documents for tests, built as text (XML) or by libplist (binary).
namespace plists {

// An XML plist whose root dictionary holds `entries`, already written as
// "<key>..</key><string>..</string>" pairs.
std::string xmlDictionary(const std::string& entries);
// An XML plist with the build entry as a string.
std::string xmlWithBuild(const std::string& build);
// A binary plist whose root dictionary maps "build" to the string `build`.
std::string binaryWithBuild(const std::string& build);

}  // namespace plists
