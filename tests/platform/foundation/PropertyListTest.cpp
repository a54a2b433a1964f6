#include <glib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "support/Plists.h"

using foundation::PropertyList;

TEST(PropertyListTest, ReadsStringsFromAnXmlDictionary) {
  auto list = PropertyList::dictionaryFromXML(plists::xmlDictionary(
      "<key>build</key><string>42</string><key>note</key><string>grüß dich</string>"));
  ASSERT_TRUE(list);
  EXPECT_EQ(list->count(), 2u);
  EXPECT_EQ(list->stringForKey("build"), "42");
  EXPECT_EQ(list->stringForKey("note"), "grüß dich");
  EXPECT_EQ(list->stringForKey("missing"), std::nullopt);
}

// What could come over the network to exhaust memory or the stack is refused
// before libplist reads it: the binary form (whose repeated references libplist
// copies), nesting beyond the bound, and declared entities.
TEST(PropertyListTest, RefusesTheBinaryFormDeepNestingAndEntities) {
  struct Refused {
    const char* name;
    std::string data;
  };
  for (const auto& [name, data] : {
           Refused{"binary", plists::binaryWithBuild("43")},
           Refused{"references, 5^10 copies", plists::binaryReferenceBomb("42", 10, 5)},
           Refused{"references, 14^16 copies", plists::binaryReferenceBomb("42", 16, 14)},
           Refused{"13,000 nested arrays", plists::xmlNestedArrays("42", 13000)},
           Refused{"ten levels of entities", plists::xmlEntityExpansion("42", 10)},
           Refused{"an internal subset alone",
                   "<?xml version=\"1.0\"?><!DOCTYPE plist [<!ELEMENT plist ANY>]>"
                   "<plist version=\"1.0\"><dict><key>build</key><string>42</string></dict>"
                   "</plist>"},
       }) {
    EXPECT_FALSE(PropertyList::dictionaryFromXML(data)) << name;
  }
  // <plist> and <dict> are two levels; the arrays under them take the rest.
  constexpr int kArraysAllowed = PropertyList::kMaxDepth - 2;
  auto deepest = PropertyList::dictionaryFromXML(plists::xmlNestedArrays("42", kArraysAllowed));
  ASSERT_TRUE(deepest);
  EXPECT_EQ(deepest->stringForKey("build"), "42");
  EXPECT_FALSE(PropertyList::dictionaryFromXML(plists::xmlNestedArrays("42", kArraysAllowed + 1)));
}

TEST(PropertyListTest, AValueOfAnotherTypeIsNoString) {
  auto list = PropertyList::dictionaryFromXML(
      plists::xmlDictionary("<key>number</key><integer>42</integer><key>flag</key><true/>"
                            "<key>list</key><array><string>42</string></array>"));
  ASSERT_TRUE(list);
  EXPECT_TRUE(list->containsKey("number"));
  EXPECT_EQ(list->stringForKey("number"), std::nullopt);
  EXPECT_EQ(list->stringForKey("flag"), std::nullopt);
  EXPECT_EQ(list->stringForKey("list"), std::nullopt);
  EXPECT_EQ(list->stringForKey(std::string("num\0ber", 7)), std::nullopt);
}

TEST(PropertyListTest, RefusesWhatIsNotADictionaryPlist) {
  const std::string rootArray =
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>42</string></array></plist>";
  const std::string rootString =
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><string>42</string></plist>";
  for (const std::string& data :
       {rootArray, rootString, std::string(), std::string("42"),
        std::string("<plist><dict><key>build</key><string>42</dict></plist>"),
        std::string("<html><body>Not here</body></html>"), std::string("bplist00\x01\x02", 10),
        plists::xmlWithBuild("42").substr(0, 120)}) {
    EXPECT_FALSE(PropertyList::dictionaryFromXML(data)) << data;
  }
}

// GLib's markup reader takes a NUL byte for text and may report an error and well-formedness at
// once, then warns on stderr that the error was overwritten; XML that is not UTF-8 text is refused
// before it gets that far, and without a word on stderr.
TEST(PropertyListTest, RefusesNulBytesAndInvalidUtf8Quietly) {
  std::vector<std::string> warnings;
  auto handler = g_log_set_handler(
      "GLib", static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL),
      [](const gchar*, GLogLevelFlags, const gchar* message, gpointer seen) {
        static_cast<std::vector<std::string>*>(seen)->push_back(message);
      },
      &warnings);
  const std::string good = plists::xmlWithBuild("42");
  const std::string nul(1, '\0');
  for (const std::string& data : {
           "<?x" + nul + "ml version=\"1.0\"?>" + good.substr(good.find("<plist")),
           "<?x" + nul + "ml version=\"1.0\"?><plist version=\"1.0\"><dict></plist>",
           good.substr(0, good.find("42")) + "42" + nul + good.substr(good.find("42") + 2),
           good + nul,
           good.substr(0, good.find("build")) + "bu\xbbild" + good.substr(good.find("build") + 5),
           good.substr(0, good.find("42")) + "4\xff" + good.substr(good.find("42") + 1),
       }) {
    EXPECT_FALSE(PropertyList::dictionaryFromXML(data)) << data;
  }
  g_log_remove_handler("GLib", handler);
  EXPECT_EQ(warnings, std::vector<std::string>{});
}

TEST(PropertyListTest, CopiesShareTheParsedDocumentSafely) {
  std::optional<PropertyList> copy;
  {
    auto list = PropertyList::dictionaryFromXML(plists::xmlWithBuild("7"));
    ASSERT_TRUE(list);
    copy = *list;
  }
  EXPECT_EQ(copy->stringForKey("build"), "7");
}
