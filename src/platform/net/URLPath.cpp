#include "platform/net/URLPath.h"

#include <curl/curl.h>

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
}  // namespace

std::optional<std::string> appendingPathComponent(const std::string& url,
                                                  const std::string& component) {
  std::unique_ptr<CURLU, UrlFree> parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return std::nullopt;
  }
  char* rawPath = nullptr;
  if (curl_url_get(parsed.get(), CURLUPART_PATH, &rawPath, 0) != CURLUE_OK) return std::nullopt;
  Chars path(rawPath);
  std::string joined = path ? path.get() : "";
  if (joined.empty() || joined.back() != '/') joined += '/';
  // The component goes in as one encoded segment: a "/" or "?" in it stays part of the name.
  std::unique_ptr<char, CharsFree> encoded(
      curl_easy_escape(nullptr, component.c_str(), static_cast<int>(component.size())));
  if (!encoded) return std::nullopt;
  joined += encoded.get();
  if (curl_url_set(parsed.get(), CURLUPART_PATH, joined.c_str(), 0) != CURLUE_OK) {
    return std::nullopt;
  }
  char* rawResult = nullptr;
  if (curl_url_get(parsed.get(), CURLUPART_URL, &rawResult, 0) != CURLUE_OK) return std::nullopt;
  Chars result(rawResult);
  return std::string(result.get());
}

}  // namespace net
