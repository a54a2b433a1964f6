#include "platform/net/URLLoader.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace net {

namespace {

struct EasyFree {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

struct Sink {
  std::string body;
  std::size_t maxBytes = 0;
  bool overflowed = false;
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* userdata) {
  auto* sink = static_cast<Sink*>(userdata);
  std::size_t bytes = size * count;
  if (sink->body.size() + bytes > sink->maxBytes) {
    sink->overflowed = true;
    return 0;  // curl aborts the transfer
  }
  sink->body.append(data, bytes);
  return bytes;
}

long milliseconds(double seconds) {
  // curl reads 0 as "no limit"; a limit asked for is always at least 1 ms.
  return seconds <= 0 ? 1 : static_cast<long>(seconds * 1000 + 0.5);
}

URLLoader::Result failure(std::string reason) {
  return {std::nullopt, std::move(reason)};
}

}  // namespace

URLLoader::Result URLLoader::load(const std::string& url, const Options& options) {
  // Global set-up is not thread-safe in every libcurl; do it once, first.
  static std::once_flag globalInit;
  std::call_once(globalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  std::unique_ptr<CURL, EasyFree> curl(curl_easy_init());
  if (!curl) return failure("libcurl could not start a transfer");
  CURL* c = curl.get();

  Sink sink;
  sink.maxBytes = options.maxBytes;
  char detail[CURL_ERROR_SIZE] = {};
  auto cap = options.maxBytes > 0 ? static_cast<curl_off_t>(options.maxBytes) : curl_off_t{1};
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, options.maxRedirects);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, milliseconds(options.connectTimeout));
  curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, milliseconds(options.totalTimeout));
  // Signals would be raised on whichever thread the process likes; we run off the main one.
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  // Refuses at once a body whose announced length is already too long.
  curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, cap);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, collect);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);

  CURLcode code = curl_easy_perform(c);
  if (sink.overflowed || code == CURLE_FILESIZE_EXCEEDED) {
    return failure("the body is larger than " + std::to_string(options.maxBytes) + " bytes");
  }
  if (code != CURLE_OK) {
    std::string reason = curl_easy_strerror(code);
    if (detail[0] != '\0') reason += std::string(": ") + detail;
    return failure(reason);
  }
  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) return failure("the server answered " + std::to_string(status));
  return {std::move(sink.body), {}};
}

}  // namespace net
