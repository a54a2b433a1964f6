#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/net/Cancellation.h"

namespace net {

// Loads one small resource over https with libcurl, synchronously: the
// calling thread blocks until the body has arrived or the load failed. Meant
// for a background queue, never the main thread.
class URLLoader {
 public:
  struct Options {
    double connectTimeout = 10;  // seconds to establish the connection
    double totalTimeout = 30;    // seconds for the whole load, redirects included
    long maxRedirects = 3;
    // A larger body is a failure, never silently cut short.
    std::size_t maxBytes = 64 * 1024;
    // When set, flipping it ends the load at once, as a failure.
    std::shared_ptr<Cancellation> cancellation;
  };

  struct Result {
    std::optional<std::string> body;  // present exactly when the load succeeded
    std::string failureReason;        // a plain sentence when it did not

    bool succeeded() const { return body.has_value(); }
  };

  // Only https is spoken, and plain http to this machine's own loopback (see
  // isSecureOrLoopbackURL), for the address and for every redirect: a redirect
  // anywhere else is refused before it is followed, its host not even looked
  // up. https certificates and host names are verified. Anything but a 2xx
  // answer after the redirects is a failure. Any thread may call.
  static Result load(const std::string& url, const Options& options);
  static Result load(const std::string& url) { return load(url, Options{}); }
};

}  // namespace net
