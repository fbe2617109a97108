#include "core/base/integer_text.h"

#include <gtest/gtest.h>

#include "core/base/ini_file.h"

namespace zr4 {
namespace {

TEST(IntegerTextTest, DecimalAndHexadecimalWithinThirtyTwoBits) {
  struct Case {
    const char* text;
    bool ok;
    std::int32_t value;
    bool hexadecimal;
  };
  const Case cases[] = {{"0", true, 0, false},
                        {"007", true, 7, false},
                        {"-5", true, -5, false},
                        {"+5", true, 5, false},
                        {"2147483647", true, 2147483647, false},
                        {"-2147483648", true, -2147483647 - 1, false},
                        {"2147483648", false, 0, false},
                        {"-2147483649", false, 0, false},
                        {"99999999999999999999999", false, 0, false},
                        {"0x10", true, 16, true},
                        {"0XaB", true, 171, true},
                        {"$7FFFFFFF", true, 2147483647, true},
                        {"$80000000", true, -2147483647 - 1, true},
                        {"$FFFFFFFF", true, -1, true},
                        {"-$10", true, -16, true},
                        {"+0x10", true, 16, true},
                        {"$100000000", false, 0, false},
                        {"$10000000000000001", false, 0, false},
                        {"", false, 0, false},
                        {"-", false, 0, false},
                        {"$", false, 0, false},
                        {"0x", false, 0, false},
                        {"12a", false, 0, false},
                        {"$12g", false, 0, false},
                        {"+-5", false, 0, false},
                        {"$-5", false, 0, false},
                        {" 5", false, 0, false},
                        {"5 ", false, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<IntegerText> parsed = ParseIntegerText(c.text);
    ASSERT_EQ(parsed.has_value(), c.ok);
    if (c.ok) {
      EXPECT_EQ(parsed->value, c.value);
      EXPECT_EQ(parsed->hexadecimal, c.hexadecimal);
    }
  }
}

TEST(IntegerTextTest, IniIntegersAreDecimalOnly) {
  int value = 3;
  EXPECT_TRUE(ParseInteger("-20", value));
  EXPECT_EQ(value, -20);
  EXPECT_FALSE(ParseInteger("$10", value));
  EXPECT_FALSE(ParseInteger("0x10", value));
  EXPECT_FALSE(ParseInteger(" 5", value));
  EXPECT_EQ(value, -20);
}

}  // namespace
}  // namespace zr4
