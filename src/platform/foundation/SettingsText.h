#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace foundation {

// How a settings value reads, leniently enough for a file a person edited by hand: spaces and tabs
// around the value do not count, yes/no words ignore case, a fractional part is dropped.
class SettingsText {
 public:
  // "true", "yes", "1" or "false", "no", "0", in any case.
  static std::optional<bool> readBool(std::string_view text);

  struct Integer {
    std::int64_t value;
    // The text names a whole number beyond the 64-bit range; value is the nearest 64-bit one.
    bool beyondRange;
  };
  // Decimal digits with an optional sign, and optionally a point and more digits, which are
  // dropped (the number is cut towards zero).
  static std::optional<Integer> readInteger(std::string_view text);
};

}  // namespace foundation
