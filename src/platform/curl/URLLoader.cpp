#include "platform/curl/URLLoader.h"

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <mutex>

#include "platform/curl/SecureURL.h"

namespace net {

namespace {

struct EasyFree {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct MultiFree {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
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

// One request on `easy`, driven through a multi handle of its own so that a
// cancellation can wake the wait at once rather than at curl's next timer.
CURLcode perform(CURL* easy, Cancellation* cancellation) {
  std::unique_ptr<CURLM, MultiFree> owned(curl_multi_init());
  if (!owned) return CURLE_OUT_OF_MEMORY;
  CURLM* multi = owned.get();
  if (curl_multi_add_handle(multi, easy) != CURLM_OK) return CURLE_FAILED_INIT;
  std::uint64_t waiter = 0;
  if (cancellation) {
    waiter = cancellation->addWaiter([multi] { curl_multi_wakeup(multi); });
  }
  CURLcode code = CURLE_ABORTED_BY_CALLBACK;
  for (;;) {
    if (cancellation && (waiter == 0 || cancellation->isCancelled())) break;
    int running = 0;
    if (curl_multi_perform(multi, &running) != CURLM_OK) {
      code = CURLE_FAILED_INIT;
      break;
    }
    if (running == 0) {
      int left = 0;
      CURLMsg* message = curl_multi_info_read(multi, &left);
      code = message && message->msg == CURLMSG_DONE ? message->data.result : CURLE_FAILED_INIT;
      break;
    }
    // Also returns as soon as one of curl's own timers (the time-outs) is due.
    curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
  }
  if (cancellation && waiter != 0) cancellation->removeWaiter(waiter);
  curl_multi_remove_handle(multi, easy);
  return code;
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
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  // Redirects are followed below, one request at a time, so that each target
  // is checked before curl resolves or connects to it.
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, milliseconds(options.connectTimeout));
  // Signals would be raised on whichever thread the process likes; we run off the main one.
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  // A cancelled load must not wait for a name lookup still running.
  curl_easy_setopt(c, CURLOPT_QUICK_EXIT, 1L);
  // Refuses at once a body whose announced length is already too long.
  curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, cap);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, collect);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);

  using Clock = std::chrono::steady_clock;
  auto started = Clock::now();
  std::string address = url;
  for (long redirects = 0;; ++redirects) {
    if (!isSecureOrLoopbackURL(address)) {
      return failure((redirects == 0 ? "refused an address that is not https: "
                                     : "refused a redirect to an address that is not https: ") +
                     address);
    }
    curl_easy_setopt(c, CURLOPT_URL, address.c_str());
    // The time-out covers the whole load: each request gets what is left of it.
    double spent = std::chrono::duration<double>(Clock::now() - started).count();
    if (redirects > 0 && spent >= options.totalTimeout) {
      return failure("Timeout was reached after " + std::to_string(redirects) + " redirects");
    }
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, milliseconds(options.totalTimeout - spent));
    sink.body.clear();
    detail[0] = '\0';
    CURLcode code = perform(c, options.cancellation.get());
    if (sink.overflowed || code == CURLE_FILESIZE_EXCEEDED) {
      return failure("the body is larger than " + std::to_string(options.maxBytes) + " bytes");
    }
    if (code == CURLE_ABORTED_BY_CALLBACK) return failure("the load was cancelled");
    if (code != CURLE_OK) {
      std::string reason = curl_easy_strerror(code);
      if (detail[0] != '\0') reason += std::string(": ") + detail;
      return failure(reason);
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    char* location = nullptr;
    curl_easy_getinfo(c, CURLINFO_REDIRECT_URL, &location);
    if (status >= 300 && status <= 399 && location != nullptr) {
      if (redirects == options.maxRedirects) {
        return failure("more than " + std::to_string(options.maxRedirects) + " redirects");
      }
      address = location;
      continue;
    }
    if (status < 200 || status > 299) {
      return failure("the server answered " + std::to_string(status));
    }
    return {std::move(sink.body), {}};
  }
}

}  // namespace net
