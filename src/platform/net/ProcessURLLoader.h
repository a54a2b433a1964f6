#pragma once

#include <filesystem>
#include <string>

#include "platform/net/LoadOptions.h"

namespace net {

// Loads one small resource through a fetch helper, a program of its own in a
// short-lived process, so that a program which loads once per run never maps
// libcurl and the score of TLS and protocol libraries it brings. The helper
// takes a FetchRequest on its command line and carries out the load with
// the options' limits, the https rule included; its process ends with the
// load.
//
// Synchronous like URLLoader: the calling thread blocks until the helper has
// ended. Flipping the options' cancellation kills the helper at once; the
// call returns only once the helper's process is gone and reaped, however it
// ended. A helper that cannot be started, or that dies, is a plain failure.
class ProcessURLLoader {
 public:
  static LoadResult load(const std::filesystem::path& helper, const std::string& url,
                         const LoadOptions& options);
};

}  // namespace net
