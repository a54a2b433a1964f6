#include "platform/net/FetchRequest.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "platform/net/DecimalInteger.h"

namespace net {

namespace {

constexpr std::size_t kArgumentCount = 5;

// Shortest text that reads back to the same double, in any locale.
std::string seconds(double value) {
  char text[64];
  auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc{} ? std::string(text, end) : std::string();
}

std::optional<double> readSeconds(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc{} || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int64_t> readCount(const std::string& text, std::int64_t max) {
  auto value = parseDecimalInteger(text);
  if (!value || *value < 0 || *value > max) return std::nullopt;
  return value;
}

}  // namespace

std::vector<std::string> FetchRequest::arguments() const {
  return {seconds(options.connectTimeout), seconds(options.totalTimeout),
          std::to_string(options.maxRedirects), std::to_string(options.maxBytes), url};
}

std::optional<FetchRequest> FetchRequest::fromArguments(const std::vector<std::string>& arguments) {
  if (arguments.size() != kArgumentCount) return std::nullopt;
  auto connect = readSeconds(arguments[0]);
  auto total = readSeconds(arguments[1]);
  auto redirects = readCount(arguments[2], std::numeric_limits<long>::max());
  auto bytes = readCount(arguments[3], std::numeric_limits<std::int64_t>::max());
  if (!connect || !total || !redirects || !bytes) return std::nullopt;
  FetchRequest request;
  request.options.connectTimeout = *connect;
  request.options.totalTimeout = *total;
  request.options.maxRedirects = static_cast<long>(*redirects);
  request.options.maxBytes = static_cast<std::size_t>(*bytes);
  request.url = arguments[4];
  return request;
}

}  // namespace net
