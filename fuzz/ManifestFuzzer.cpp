// The update check's reading of a manifest body, which comes from the network: the parse, then the
// build number read from it and compared with the running one.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FatalGLibWarnings.h"
#include "platform/foundation/PropertyList.h"
#include "platform/net/DecimalInteger.h"
#include "settings/Const.h"
#include "update/UpdateCheck.h"

namespace {

void require(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  makeGLibWarningsFatal();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view body(reinterpret_cast<const char*>(data), size);
  auto manifest = foundation::PropertyList::dictionaryFromXML(body);
  if (!manifest) return 0;
  auto entry = manifest->stringForKey(Const::Key::build);
  require(!entry || manifest->containsKey(Const::Key::build));

  constexpr std::int64_t kRunning = 41;
  constexpr std::int64_t kSkipped = 43;
  auto offered =
      UpdateCheck::buildToOffer(manifest, InfoPlist{"41", "1.0", "Tamarock", ""}, kSkipped);
  // Offered exactly when the manifest names a build strictly newer and not skipped.
  auto named = entry ? net::parseDecimalInteger(*entry) : std::nullopt;
  bool worthOffering = named && *named > kRunning && *named != kSkipped;
  require(worthOffering ? offered == named : !offered);
  // Without a running build there is nothing to compare with, so nothing to offer.
  require(!UpdateCheck::buildToOffer(manifest, std::nullopt, 0));
  return 0;
}
