#include "platform/net/SecureURL.h"

#include <arpa/inet.h>
#include <curl/curl.h>
#include <strings.h>

#include <cstring>
#include <memory>

namespace net {

namespace {

struct UrlFree {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct CharsFree {
  void operator()(char* text) const { curl_free(text); }
};
using Chars = std::unique_ptr<char, CharsFree>;

Chars part(CURLU* url, CURLUPart which) {
  char* raw = nullptr;
  if (curl_url_get(url, which, &raw, 0) != CURLUE_OK) return nullptr;
  return Chars(raw);
}

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
  std::unique_ptr<CURLU, UrlFree> parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return false;
  }
  auto scheme = part(parsed.get(), CURLUPART_SCHEME);
  auto host = part(parsed.get(), CURLUPART_HOST);
  if (!scheme || !host) return false;
  if (strcasecmp(scheme.get(), "https") == 0) return true;
  return strcasecmp(scheme.get(), "http") == 0 && isLoopbackHost(host.get());
}

}  // namespace net
