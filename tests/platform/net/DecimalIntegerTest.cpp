#include <gtest/gtest.h>

#include <limits>

#include "platform/net/DecimalInteger.h"

using net::parseDecimalInteger;

TEST(DecimalIntegerTest, ReadsDigitsWithAnOptionalSign) {
  EXPECT_EQ(parseDecimalInteger("42"), 42);
  EXPECT_EQ(parseDecimalInteger("+42"), 42);
  EXPECT_EQ(parseDecimalInteger("-1"), -1);
  EXPECT_EQ(parseDecimalInteger("007"), 7);
  EXPECT_EQ(parseDecimalInteger("-0"), 0);
}

TEST(DecimalIntegerTest, RefusesAnythingButSignAndDigits) {
  for (const char* text : {"", "+", "-", "42a", "a42", " 42", "42 ", "4 2", "+-4", "-+4", "++4",
                           "0x2A", "4.2", "1e3", "４２"}) {
    EXPECT_EQ(parseDecimalInteger(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(DecimalIntegerTest, KeepsToTheSignedSixtyFourBitRange) {
  EXPECT_EQ(parseDecimalInteger("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(parseDecimalInteger("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(parseDecimalInteger("9223372036854775808"), std::nullopt);
  EXPECT_EQ(parseDecimalInteger("-9223372036854775809"), std::nullopt);
  EXPECT_EQ(parseDecimalInteger("99999999999999999999999"), std::nullopt);
}
