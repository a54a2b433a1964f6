#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/PropertyList.h"
#include "platform/net/LoadOptions.h"
#include "settings/InfoPlist.h"

// The comparisons behind the update notice, kept apart from threads and the
// interface: where the manifest and the download live, and which build, if
// any, is worth telling the user about.
class UpdateCheck {
 public:
  // Where the site is and how long a load may wait: the build's site address
  // and the loader's own limits, unless a test points them at a server of its
  // own. Set them before the check starts; the check reads them off the main thread.
  static inline std::optional<std::string> siteOverride;
  static inline net::LoadOptions loadOptions;
  // The fetch helper the load runs in, which the launch finds; without one
  // the check ends at once, with nothing.
  static inline std::optional<std::filesystem::path> fetchHelper;

  static std::string siteURL();
  // Nothing when the site address is not a URL.
  static std::optional<std::string> manifestURL();
  static std::optional<std::string> downloadURL();

  // A build strictly newer than the running one and not the skipped one, read
  // from the manifest's build entry; nothing when any of that is missing,
  // unreadable or not newer.
  static std::optional<std::int64_t> buildToOffer(
      const std::optional<foundation::PropertyList>& manifest,
      const std::optional<InfoPlist>& running, std::int64_t skippedBuild);

  // The whole check on the calling thread, which blocks for the load; flipping
  // `cancellation` ends the load at once, and the check with nothing.
  static std::optional<std::int64_t> run(std::shared_ptr<net::Cancellation> cancellation = nullptr);

  // Tests: the program's own site and limits again, and no helper.
  static void reset();
};
