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

// Documents that cost a reader that trusts them far more than their size. Each
// also holds a good build entry, so that a reader that took it would offer it.

// A binary plist of a few hundred bytes: beside the build entry, `levels` arrays
// under "pad", each referring `fanout` times to the next one. A reader that
// copies every reference builds fanout^levels objects.
std::string binaryReferenceBomb(const std::string& build, int levels, int fanout);
// An XML plist with, beside the build entry, `depth` arrays nested under "pad".
std::string xmlNestedArrays(const std::string& build, int depth);
// An XML plist whose document type declares entities, each ten times the one
// before: the build string refers to the last of `levels`.
std::string xmlEntityExpansion(const std::string& build, int levels);

}  // namespace plists
