#include "settings/InfoPlist.h"

#include "platform/foundation/Bundle.h"

std::optional<InfoPlist> InfoPlist::main() {
  const auto& bundle = foundation::Bundle::main();
  auto build = bundle.objectForInfoDictionaryKey("CFBundleVersion");
  if (!build) return std::nullopt;
  auto value = [&](const char* key) { return bundle.objectForInfoDictionaryKey(key).value_or(""); };
  return InfoPlist{*build, value("CFBundleShortVersionString"), value("CFBundleName"),
                   value("CFBundleIdentifier")};
}
