#include <gtest/gtest.h>

#include "platform/net/URLPath.h"

using net::appendingPathComponent;

TEST(URLPathTest, AddsOneSegmentWithASingleSlash) {
  EXPECT_EQ(appendingPathComponent("https://example.org/releases", "updates"),
            "https://example.org/releases/updates");
  EXPECT_EQ(appendingPathComponent("https://example.org/releases/", "updates"),
            "https://example.org/releases/updates");
  EXPECT_EQ(appendingPathComponent("http://127.0.0.1:8080", "a.plist"),
            "http://127.0.0.1:8080/a.plist");
}

TEST(URLPathTest, KeepsTheQueryAndEncodesTheComponentAsOneSegment) {
  EXPECT_EQ(appendingPathComponent("https://example.org/r?x=1", "u"),
            "https://example.org/r/u?x=1");
  EXPECT_EQ(appendingPathComponent("https://example.org/r", "a/b?c"),
            "https://example.org/r/a%2fb%3fc");
}

TEST(URLPathTest, RefusesWhatIsNotAnAbsoluteURL) {
  EXPECT_EQ(appendingPathComponent("", "updates"), std::nullopt);
  EXPECT_EQ(appendingPathComponent("releases/updates", "x"), std::nullopt);
}
