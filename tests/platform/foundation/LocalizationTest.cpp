#include "platform/foundation/Localization.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using foundation::Localization;

namespace {

// Leaves the process's environment and locale as it found them, so later tests
// in the same process see English again.
class LocalizationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      saved_.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
    savedLocale_ = std::setlocale(LC_ALL, nullptr);
  }
  void TearDown() override {
    for (std::size_t i = 0; i < std::size(kVariables); ++i) {
      saved_[i] ? setenv(kVariables[i], saved_[i]->c_str(), 1) : unsetenv(kVariables[i]);
    }
    std::setlocale(LC_ALL, savedLocale_.c_str());
  }

  static constexpr const char* kVariables[] = {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"};
  std::vector<std::optional<std::string>> saved_;
  std::string savedLocale_;
};

}  // namespace

TEST_F(LocalizationTest, GermanUsersGetTheGermanCatalogue) {
  // glibc ignores LANGUAGE under the plain C locale, hence C.UTF-8.
  setenv("LANG", "C.UTF-8", 1);
  setenv("LANGUAGE", "de", 1);
  Localization::bind("tamarock", TAMAROCK_TEST_LOCALE_DIR);
  EXPECT_EQ(Localization::translate("Paint"), "Malen");
  EXPECT_EQ(Localization::translate("Choose…"), "Auswählen…");
  EXPECT_EQ(Localization::translate("A new version of %@ is available!"),
            "Eine neue Version von %@ ist verfügbar!");
  EXPECT_EQ(Localization::translate("No such message"), "No such message");
  EXPECT_EQ(Localization::translate(nullptr), "");
}

TEST_F(LocalizationTest, WithoutAGermanLocaleTheTextStaysEnglish) {
  setenv("LANG", "C.UTF-8", 1);
  Localization::bind("tamarock", TAMAROCK_TEST_LOCALE_DIR);
  EXPECT_EQ(Localization::translate("Paint"), "Paint");
}
