#include "platform/net/DecimalInteger.h"

#include <charconv>

namespace net {

std::optional<std::int64_t> parseDecimalInteger(std::string_view text) {
  // from_chars takes a "-" but not a "+"; a "+" must be followed by a digit, not another sign.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  }
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc{} || stop != end) return std::nullopt;
  return value;
}

}  // namespace net
