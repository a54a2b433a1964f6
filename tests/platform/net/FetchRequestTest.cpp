#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/net/FetchRequest.h"

using net::FetchRequest;

TEST(FetchRequestTest, EveryLimitCrossesTheCommandLineUnchanged) {
  FetchRequest sent;
  sent.url = "http://127.0.0.1:8080/a b?c=1";
  sent.options.connectTimeout = 0.1;
  sent.options.totalTimeout = 1e-3;
  sent.options.maxRedirects = 0;
  sent.options.maxBytes = 65537;
  auto received = FetchRequest::fromArguments(sent.arguments());
  ASSERT_TRUE(received);
  EXPECT_EQ(received->url, sent.url);
  EXPECT_EQ(received->options.connectTimeout, 0.1);
  EXPECT_EQ(received->options.totalTimeout, 1e-3);
  EXPECT_EQ(received->options.maxRedirects, 0);
  EXPECT_EQ(received->options.maxBytes, 65537u);
  EXPECT_FALSE(received->options.cancellation);
}

TEST(FetchRequestTest, RefusesACommandLineItDidNotWrite) {
  using Arguments = std::vector<std::string>;
  const Arguments good{"10", "30", "3", "65536", "https://example.org/"};
  ASSERT_TRUE(FetchRequest::fromArguments(good));
  for (std::size_t i = 0; i < 4; ++i) {
    for (const char* bad : {"", "1x", " 1", "-1", "nan", "inf", "1e999"}) {
      auto arguments = good;
      arguments[i] = bad;
      // A negative time-out is a limit (the shortest); a negative count is not.
      if (i < 2 && std::string(bad) == "-1") continue;
      EXPECT_FALSE(FetchRequest::fromArguments(arguments)) << "argument " << i << ": " << bad;
    }
  }
  EXPECT_FALSE(FetchRequest::fromArguments(Arguments(good.begin(), good.end() - 1)));
  auto extra = good;
  extra.push_back("more");
  EXPECT_FALSE(FetchRequest::fromArguments(extra));
}
