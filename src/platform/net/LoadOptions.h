#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/net/Cancellation.h"

namespace net {

// How one load of a small resource may go: the same limits whichever loader
// carries it out.
struct LoadOptions {
  double connectTimeout = 10;  // seconds to establish the connection
  double totalTimeout = 30;    // seconds for the whole load, redirects included
  long maxRedirects = 3;
  // A larger body is a failure, never silently cut short.
  std::size_t maxBytes = 64 * 1024;
  // When set, flipping it ends the load at once, as a failure.
  std::shared_ptr<Cancellation> cancellation;
};

// What one load came to.
struct LoadResult {
  std::optional<std::string> body;  // present exactly when the load succeeded
  std::string failureReason;        // a plain sentence when it did not

  bool succeeded() const { return body.has_value(); }
};

}  // namespace net
