#pragma once

#include <string>

// Site constants of the update check.
namespace Const {
namespace Miscellaneous {
// The maker's site, set by the build (TAMAROCK_SITE_URL).
std::string siteURL();
}  // namespace Miscellaneous
namespace SiteComponent {
inline const std::string updates = "updates";
inline const std::string downloads = "downloads";
}  // namespace SiteComponent
namespace Key {
inline const std::string build = "build";
}  // namespace Key
}  // namespace Const
