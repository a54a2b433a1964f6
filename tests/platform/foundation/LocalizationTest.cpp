#include "platform/foundation/Localization.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/SavedLanguage.h"

using foundation::Localization;

namespace {

// Leaves the process's environment and locale as it found them, so later tests
// in the same process see English again.
class LocalizationTest : public ::testing::Test {
 protected:
  SavedLanguage saved_;
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
  EXPECT_EQ(Localization::language(), "de");
}

TEST_F(LocalizationTest, WithoutAGermanLocaleTheTextStaysEnglish) {
  setenv("LANG", "C.UTF-8", 1);
  Localization::bind("tamarock", TAMAROCK_TEST_LOCALE_DIR);
  EXPECT_EQ(Localization::translate("Paint"), "Paint");
  EXPECT_EQ(Localization::language(), "");
}

// The variables in the order GNU programs read them, and a user's language
// kept where the machine has not generated its locale (this one has only C and
// C.UTF-8; on one that has them, the outcome is the same).
TEST_F(LocalizationTest, TheLanguageComesAsGnuProgramsChooseItEvenWithoutItsLocale) {
  struct Case {
    const char* language;
    const char* all;
    const char* messages;
    const char* lang;
    const char* paint;      // "Paint" as shown
    const char* catalogue;  // the catalogue's language
  };
  const std::vector<Case> cases{
      {nullptr, nullptr, nullptr, "ar_EG.UTF-8", "رسم", "ar"},
      {"ar", nullptr, nullptr, "C.UTF-8", "رسم", "ar"},
      {"he", nullptr, nullptr, "ar_EG.UTF-8", "ציור", "he"},
      {"fr:de", nullptr, nullptr, "C.UTF-8", "Peindre", "fr"},
      {"xx:pt_BR", nullptr, nullptr, "C.UTF-8", "Pintar", "pt_BR"},
      {nullptr, "de_DE.UTF-8", nullptr, "ar_EG.UTF-8", "Malen", "de"},
      {nullptr, nullptr, "el_GR.UTF-8", "ar_EG.UTF-8", "Ζωγραφική", "el"},
      {nullptr, "de_DE.UTF-8", "el_GR.UTF-8", "ar_EG.UTF-8", "Malen", "de"},
      // A language with no catalogue, and plain C asked for by name, stay English.
      {nullptr, nullptr, nullptr, "xx_YY.UTF-8", "Paint", ""},
      {"de", nullptr, nullptr, "C", "Paint", ""},
      {nullptr, "C", nullptr, "ar_EG.UTF-8", "Paint", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("LANGUAGE=") + (c.language ? c.language : "") + " LC_ALL=" +
                 (c.all ? c.all : "") + " LC_MESSAGES=" + (c.messages ? c.messages : "") +
                 " LANG=" + (c.lang ? c.lang : ""));
    SavedLanguage scope;
    SavedLanguage::set("LANGUAGE", c.language);
    SavedLanguage::set("LC_ALL", c.all);
    SavedLanguage::set("LC_MESSAGES", c.messages);
    SavedLanguage::set("LANG", c.lang);
    Localization::bind("tamarock", TAMAROCK_TEST_LOCALE_DIR);
    EXPECT_EQ(Localization::translate("Paint"), c.paint);
    EXPECT_EQ(Localization::language(), c.catalogue);
  }
  Localization::bind("tamarock", TAMAROCK_TEST_LOCALE_DIR);
  EXPECT_EQ(Localization::translate("Paint"), "Paint") << "the scope put the language back";
}

TEST_F(LocalizationTest, ArabicHebrewAndTheirKinRunRightToLeft) {
  for (const char* language :
       {"ar", "he", "fa", "ur", "yi", "ar_EG.UTF-8", "he_IL", "ckb@arabic"}) {
    EXPECT_TRUE(Localization::isRightToLeft(language)) << language;
  }
  for (const char* language : {"", "C", "de", "el", "pt_BR", "arn", "sd@devanagari"}) {
    EXPECT_FALSE(Localization::isRightToLeft(language)) << language;
  }
}
