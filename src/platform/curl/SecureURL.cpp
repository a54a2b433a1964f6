#include "platform/curl/SecureURL.h"

#include <arpa/inet.h>
#include <strings.h>

#include <cstring>
#include <memory>

#include "platform/curl/CurlURL.h"

namespace net {

namespace {

bool isLoopbackHost(const char* host) {
  if (strcasecmp(host, "localhost") == 0) return true;
  in_addr v4{};
  if (inet_pton(AF_INET, host, &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  // curl keeps the brackets of an IPv6 literal.
  std::size_t length = std::strlen(host);
  if (length < 2 || host[0] != '[' || host[length - 1] != ']') return false;
  std::string inner(host + 1, length - 2);
  in6_addr v6{};
  return inet_pton(AF_INET6, inner.c_str(), &v6) == 1 &&
         std::memcmp(&v6, &in6addr_loopback, sizeof v6) == 0;
}

}  // namespace

bool isSecureOrLoopbackURL(const std::string& url) {
  CurlURL parsed = parseCurlURL(url);
  if (!parsed) return false;
  auto scheme = curlURLPart(parsed.get(), CURLUPART_SCHEME);
  auto host = curlURLPart(parsed.get(), CURLUPART_HOST);
  if (!scheme || !host) return false;
  if (strcasecmp(scheme.get(), "https") == 0) return true;
  return strcasecmp(scheme.get(), "http") == 0 && isLoopbackHost(host.get());
}

}  // namespace net
