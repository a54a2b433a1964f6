#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/net/LoadOptions.h"

namespace net {

// One load as it crosses to a fetch helper (see ProcessURLLoader) on the
// helper's command line: the address and every limit of its options but the
// cancellation, which stays with the caller (it ends the helper instead).
struct FetchRequest {
  // How the helper ends: the body on its standard output, or a failure
  // reason there; a command line it cannot read is a complaint on its
  // standard error.
  static constexpr int kSucceeded = 0;
  static constexpr int kFailed = 1;
  static constexpr int kMisused = 2;

  std::string url;
  LoadOptions options;

  // The arguments after the helper's own name.
  std::vector<std::string> arguments() const;
  // Nothing unless `arguments` are exactly what arguments() writes: numbers
  // that do not read back whole, a negative count or limit, or any argument
  // too few or too many.
  static std::optional<FetchRequest> fromArguments(const std::vector<std::string>& arguments);
};

}  // namespace net
