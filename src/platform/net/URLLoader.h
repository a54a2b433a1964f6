#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace net {

// Loads one small resource over http or https with libcurl, synchronously: the
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
  };

  struct Result {
    std::optional<std::string> body;  // present exactly when the load succeeded
    std::string failureReason;        // a plain sentence when it did not

    bool succeeded() const { return body.has_value(); }
  };

  // Only http and https are spoken, for the address and for every redirect;
  // https certificates and host names are verified. Anything but a 2xx answer
  // after the redirects is a failure. Any thread may call.
  static Result load(const std::string& url, const Options& options);
  static Result load(const std::string& url) { return load(url, Options{}); }
};

}  // namespace net
