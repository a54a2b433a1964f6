// A fetch helper (see net::ProcessURLLoader): carries out the one load that
// net::FetchRequest writes on its command line with net::URLLoader, writes
// the body or the failure reason to standard output and ends with the
// request's status for either. The program that starts it names it.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/curl/URLLoader.h"
#include "platform/net/FetchRequest.h"

namespace {

bool writeAll(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
         std::fflush(stdout) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  auto request = net::FetchRequest::fromArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!request) {
    std::fprintf(stderr,
                 "usage: %s <connect time-out s> <total time-out s> <most redirects> "
                 "<most bytes> <address>\n",
                 argc > 0 ? argv[0] : "fetch");
    return net::FetchRequest::kMisused;
  }
  auto result = net::URLLoader::load(request->url, request->options);
  if (!result.succeeded()) {
    writeAll(result.failureReason);
    return net::FetchRequest::kFailed;
  }
  // A body cut short by a closed pipe is no body.
  return writeAll(*result.body) ? net::FetchRequest::kSucceeded : net::FetchRequest::kFailed;
}
