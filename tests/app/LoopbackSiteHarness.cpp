#include "app/LoopbackSiteHarness.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

#include "platform/foundation/Bundle.h"
#include "support/Plists.h"
#include "update/UpdateCheck.h"

void LoopbackSiteHarness::SetUp() {
  AppHarness::SetUp();
  programBundle_ = foundation::Bundle::main().resourcePath();
  char pattern[] = "/tmp/tamarock-bundle-XXXXXX";
  bundleDir_ = mkdtemp(pattern);
  // Running build 41, so that a site's 42 is worth offering.
  setRunningBuild("41");
  server = std::make_unique<HttpTestServer>();
  UpdateCheck::siteOverride = server->baseURL();
  // The check loads through the real helper, as the program's does.
  UpdateCheck::fetchHelper = TAMAROCK_TEST_FETCH_HELPER;
}

void LoopbackSiteHarness::TearDown() {
  AppHarness::TearDown();
  server.reset();
  foundation::Bundle::resetMain(programBundle_);
  std::error_code ec;
  std::filesystem::remove_all(bundleDir_, ec);
}

void LoopbackSiteHarness::writeInfoPlist(const std::string& entries) {
  std::ofstream(bundleDir_ / "Info.plist") << plists::xmlDictionary(entries);
  foundation::Bundle::resetMain(bundleDir_);
}

void LoopbackSiteHarness::setRunningBuild(const std::string& build, const char* displayName) {
  std::string entries = "<key>CFBundleVersion</key><string>" + build + "</string>";
  if (displayName) {
    entries += "<key>CFBundleDisplayName</key><string>" + std::string(displayName) + "</string>";
  }
  writeInfoPlist(entries);
}

void LoopbackSiteHarness::serveManifest(const std::string& build) {
  server->serve("/updates/tamarock2.plist", plists::xmlWithBuild(build));
}
