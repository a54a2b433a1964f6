#include "platform/foundation/Bundle.h"

#include <gtest/gtest.h>
#include <plist/plist.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Localization.h"
#include "support/SavedLanguage.h"

using foundation::Bundle;
namespace fs = std::filesystem;

namespace {

constexpr const char* kXmlInfo = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
  <key>CFBundleDisplayName</key><string>Tämarock</string>
  <key>CFBundleVersion</key><string>41</string>
  <key>Count</key><integer>41</integer>
  <key>List</key><array><string>a</string></array>
</dict>
</plist>
)";

class BundleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "bundle-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  void writeInfo(const std::string& bytes) const {
    std::ofstream(dir_ / "Info.plist", std::ios::binary) << bytes;
  }

  fs::path dir_;
};

}  // namespace

TEST_F(BundleTest, ReadsStringsFromAnXmlInfoPlistAndNothingElse) {
  writeInfo(kXmlInfo);
  Bundle bundle(dir_);
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleDisplayName"), "Tämarock");
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleVersion"), "41");
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("Count"), std::nullopt);
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("List"), std::nullopt);
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("Missing"), std::nullopt);
  EXPECT_EQ(bundle.objectForInfoDictionaryKey(std::string("CFBundleVersion\0x", 17)), std::nullopt);
}

TEST_F(BundleTest, ReadsABinaryInfoPlist) {
  std::unique_ptr<void, decltype(&plist_free)> dict(plist_new_dict(), plist_free);
  plist_dict_set_item(dict.get(), "CFBundleVersion", plist_new_string("7"));
  plist_dict_set_item(dict.get(), "Flag", plist_new_bool(1));
  char* bytes = nullptr;
  uint32_t length = 0;
  plist_to_bin(dict.get(), &bytes, &length);
  ASSERT_NE(bytes, nullptr);
  writeInfo(std::string(bytes, length));
  plist_to_bin_free(bytes);

  Bundle bundle(dir_);
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleVersion"), "7");
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("Flag"), std::nullopt);
}

TEST_F(BundleTest, AnythingButARootDictionaryGivesNothing) {
  const std::vector<std::string> cases = {
      "", "not a plist at all",
      R"(<?xml version="1.0"?><plist version="1.0"><array><string>CFBundleVersion</string></array></plist>)",
      R"(<?xml version="1.0"?><plist version="1.0"><string>CFBundleVersion</string></plist>)",
      std::string(kXmlInfo).substr(0, 200)};
  for (const auto& bytes : cases) {
    writeInfo(bytes);
    EXPECT_EQ(Bundle(dir_).objectForInfoDictionaryKey("CFBundleVersion"), std::nullopt) << bytes;
  }
  fs::remove(dir_ / "Info.plist");
  EXPECT_EQ(Bundle(dir_).objectForInfoDictionaryKey("CFBundleVersion"), std::nullopt);
}

TEST_F(BundleTest, TheFileIsReadOnFirstUseAndOnlyOnce) {
  Bundle bundle(dir_);
  writeInfo(kXmlInfo);
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleVersion"), "41");
  fs::remove(dir_ / "Info.plist");
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleVersion"), "41");
}

TEST_F(BundleTest, ResetMainReplacesTheMainBundle) {
  writeInfo(kXmlInfo);
  Bundle::resetMain(dir_);
  EXPECT_EQ(Bundle::main().resourcePath(), dir_);
  EXPECT_EQ(Bundle::main().objectForInfoDictionaryKey("CFBundleVersion"), "41");
}

// As the platform's localized Info.plist strings: the name the user sees is
// translated, nothing else is, and a catalogue's header never stands in for it.
TEST_F(BundleTest, TheDisplayNameAloneComesInTheUsersLanguage) {
  SavedLanguage saved;
  setenv("LANG", "C.UTF-8", 1);
  setenv("LANGUAGE", "fa", 1);
  foundation::Localization::bind("tamarock", TAMAROCK_TEST_OWN_LOCALE_DIR);
  auto entries = [](const char* displayName) {
    return std::string(R"(<?xml version="1.0"?><plist version="1.0"><dict>)") +
           "<key>CFBundleDisplayName</key><string>" + displayName + "</string>" +
           "<key>CFBundleName</key><string>Tamarock</string>" +
           "<key>CFBundleVersion</key><string>Tamarock</string></dict></plist>";
  };
  writeInfo(entries("Tamarock"));
  Bundle bundle(dir_);
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleDisplayName"), "تاماراک");
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleName"), "Tamarock");
  EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleVersion"), "Tamarock");
  writeInfo(entries(""));
  EXPECT_EQ(Bundle(dir_).objectForInfoDictionaryKey("CFBundleDisplayName"), "");
  writeInfo(entries("Tamarock Beta"));
  EXPECT_EQ(Bundle(dir_).objectForInfoDictionaryKey("CFBundleDisplayName"), "Tamarock Beta")
      << "a name the catalogue does not know stays as it is";
}

TEST(ShippedInfoPlistTest, CarriesTheNameIdentifierAndBuildNumbers) {
  Bundle shipped(TAMAROCK_TEST_RESOURCE_DIR);
  EXPECT_EQ(shipped.objectForInfoDictionaryKey("CFBundleDisplayName"), "Tamarock");
  EXPECT_EQ(shipped.objectForInfoDictionaryKey("CFBundleName"), "Tamarock");
  EXPECT_EQ(shipped.objectForInfoDictionaryKey("CFBundleIdentifier"), "org.tamarock.Tamarock");
  EXPECT_EQ(shipped.objectForInfoDictionaryKey("CFBundleShortVersionString"),
            TAMAROCK_TEST_VERSION);
  EXPECT_EQ(shipped.objectForInfoDictionaryKey("CFBundleVersion"), TAMAROCK_TEST_BUILD);
}

// The tests' program stands in for the running one: a helper "beside it" is
// a file of the tests' build folder.
TEST(AuxiliaryExecutableTest, IsAnExecutableFileBesideTheProgramAndNothingElse) {
  auto self = fs::read_symlink("/proc/self/exe");
  auto found = Bundle::pathForAuxiliaryExecutable(self.filename());
  ASSERT_TRUE(found);
  EXPECT_TRUE(fs::equivalent(*found, self));
  // Not a file that is there but cannot run, nor a folder, nor anything outside the folder.
  EXPECT_TRUE(fs::is_regular_file(self.parent_path() / "CTestTestfile.cmake"));
  EXPECT_FALSE(Bundle::pathForAuxiliaryExecutable("CTestTestfile.cmake"));
  EXPECT_TRUE(fs::is_directory(self.parent_path() / "CMakeFiles"));
  EXPECT_FALSE(Bundle::pathForAuxiliaryExecutable("CMakeFiles"));
  EXPECT_FALSE(Bundle::pathForAuxiliaryExecutable("../tamarock"));
  EXPECT_FALSE(Bundle::pathForAuxiliaryExecutable("no-such-helper"));
  EXPECT_FALSE(Bundle::pathForAuxiliaryExecutable(""));
}
