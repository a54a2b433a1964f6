#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace net {

// Reads a whole decimal integer as text exchanged with servers writes it: an
// optional "+" or "-", then one or more digits 0-9 and nothing else, within
// the signed 64-bit range. Anything else (spaces, a trailing letter, an empty
// string, a value that does not fit) is no number.
std::optional<std::int64_t> parseDecimalInteger(std::string_view text);

}  // namespace net
