#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/AppHarness.h"
#include "support/HttpTestServer.h"

// The whole program with its update site on a real loopback server, reached
// through the real fetch helper, and the running build set by an Info.plist
// of the test's own.
class LoopbackSiteHarness : public AppHarness {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the program's Info.plist with these entries.
  void writeInfoPlist(const std::string& entries);
  // A display name of nullptr leaves it out.
  void setRunningBuild(const std::string& build, const char* displayName = "Tamarock");
  // The site's manifest offers this build.
  void serveManifest(const std::string& build);

  std::unique_ptr<HttpTestServer> server;

 private:
  std::filesystem::path programBundle_;
  std::filesystem::path bundleDir_;
};
