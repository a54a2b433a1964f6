#include "update/UpdateCheck.h"

#include "platform/net/DecimalInteger.h"
#include "platform/net/ProcessURLLoader.h"
#include "platform/net/URLPath.h"
#include "settings/Const.h"
#include "settings/Defaults.h"

namespace {

const char* const kManifestFile = "tamarock2.plist";
const char* const kDownloadFile = "Tamarock.zip";

std::optional<std::string> siteAddress(const std::string& component, const std::string& file) {
  auto folder = net::appendingPathComponent(UpdateCheck::siteURL(), component);
  return folder ? net::appendingPathComponent(*folder, file) : std::nullopt;
}

}  // namespace

std::string UpdateCheck::siteURL() {
  return siteOverride.value_or(Const::Miscellaneous::siteURL());
}

std::optional<std::string> UpdateCheck::manifestURL() {
  return siteAddress(Const::SiteComponent::updates, kManifestFile);
}

std::optional<std::string> UpdateCheck::downloadURL() {
  return siteAddress(Const::SiteComponent::downloads, kDownloadFile);
}

std::optional<std::int64_t> UpdateCheck::buildToOffer(
    const std::optional<foundation::PropertyList>& manifest,
    const std::optional<InfoPlist>& running, std::int64_t skippedBuild) {
  if (!manifest) return std::nullopt;
  // Only a string counts: a number under the key is as good as no entry.
  auto entry = manifest->stringForKey(Const::Key::build);
  if (!entry) return std::nullopt;
  auto latest = net::parseDecimalInteger(*entry);
  if (!latest || !running) return std::nullopt;
  auto current = net::parseDecimalInteger(running->build);
  if (!current || *current >= *latest) return std::nullopt;
  if (*latest == skippedBuild) return std::nullopt;
  return latest;
}

std::optional<std::int64_t> UpdateCheck::run(std::shared_ptr<net::Cancellation> cancellation) {
  auto url = manifestURL();
  if (!url || !fetchHelper) return std::nullopt;
  auto options = loadOptions;
  options.cancellation = std::move(cancellation);
  auto loaded = net::ProcessURLLoader::load(*fetchHelper, *url, options);
  if (!loaded.succeeded()) return std::nullopt;
  return buildToOffer(foundation::PropertyList::dictionaryFromXML(*loaded.body), InfoPlist::main(),
                      Defaults::skipUpdateBuild());
}

void UpdateCheck::reset() {
  siteOverride.reset();
  loadOptions = {};
  fetchHelper.reset();
}
