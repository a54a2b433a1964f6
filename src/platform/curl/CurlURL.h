#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

namespace net {

// libcurl's URL parser and the strings it hands out, each freed by its own call.
struct CurlURLFree {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct CurlCharsFree {
  void operator()(char* text) const { curl_free(text); }
};
using CurlURL = std::unique_ptr<CURLU, CurlURLFree>;
using CurlChars = std::unique_ptr<char, CurlCharsFree>;

// The parsed address, or empty when curl does not take it as a URL.
inline CurlURL parseCurlURL(const std::string& url) {
  CurlURL parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return nullptr;
  }
  return parsed;
}

// One part of a parsed address, or empty when it has none.
inline CurlChars curlURLPart(CURLU* url, CURLUPart which) {
  char* raw = nullptr;
  if (curl_url_get(url, which, &raw, 0) != CURLUE_OK) return nullptr;
  return CurlChars(raw);
}

}  // namespace net
