#include "platform/net/URLPath.h"

#include <curl/curl.h>

#include <memory>

#include "platform/net/CurlURL.h"

namespace net {

std::optional<std::string> appendingPathComponent(const std::string& url,
                                                  const std::string& component) {
  CurlURL parsed = parseCurlURL(url);
  if (!parsed) return std::nullopt;
  CurlChars path = curlURLPart(parsed.get(), CURLUPART_PATH);
  if (!path) return std::nullopt;
  std::string joined = path.get();
  if (joined.empty() || joined.back() != '/') joined += '/';
  // The component goes in as one encoded segment: a "/" or "?" in it stays part of the name.
  CurlChars encoded(
      curl_easy_escape(nullptr, component.c_str(), static_cast<int>(component.size())));
  if (!encoded) return std::nullopt;
  joined += encoded.get();
  if (curl_url_set(parsed.get(), CURLUPART_PATH, joined.c_str(), 0) != CURLUE_OK) {
    return std::nullopt;
  }
  CurlChars result = curlURLPart(parsed.get(), CURLUPART_URL);
  if (!result) return std::nullopt;
  return std::string(result.get());
}

}  // namespace net
