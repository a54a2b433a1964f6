#pragma once

#include <string>

#include "platform/net/LoadOptions.h"

namespace net {

// Loads one small resource over https with libcurl, synchronously: the
// calling thread blocks until the body has arrived or the load failed. Meant
// for a background queue, never the main thread, and for a helper process
// rather than a program that loads once (net::ProcessURLLoader): libcurl
// brings a score of TLS and protocol libraries along.
class URLLoader {
 public:
  using Options = LoadOptions;
  using Result = LoadResult;

  // Only https is spoken, and plain http to this machine's own loopback (see
  // isSecureOrLoopbackURL), for the address and for every redirect: a redirect
  // anywhere else is refused before it is followed, its host not even looked
  // up. https certificates and host names are verified. Anything but a 2xx
  // answer after the redirects is a failure. Any thread may call.
  static Result load(const std::string& url, const Options& options);
  static Result load(const std::string& url) { return load(url, Options{}); }
};

}  // namespace net
