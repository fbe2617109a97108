#include "core/base/comma_text.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

using Items = std::vector<std::string>;

TEST(CommaTextTest, EncodesWithTheQuotingRules) {
  EXPECT_EQ(EncodeCommaText({}), "");
  EXPECT_EQ(EncodeCommaText({""}), "\"\"");
  EXPECT_EQ(EncodeCommaText({"", ""}), ",");
  EXPECT_EQ(EncodeCommaText({"-ON", "", "20"}), "-ON,,20");
  EXPECT_EQ(EncodeCommaText({"a b", "c,d", "say \"hi\"", "tab\there"}),
            "\"a b\",\"c,d\",\"say \"\"hi\"\"\",\"tab\there\"");
  EXPECT_EQ(EncodeCommaText({"↑↑↓", "01,スタンバイ", "1"}), "↑↑↓,\"01,スタンバイ\",1");
}

TEST(CommaTextTest, DecodesBlanksQuotesAndCommas) {
  EXPECT_EQ(DecodeCommaText(""), Items{});
  EXPECT_EQ(DecodeCommaText("   "), Items{});
  EXPECT_EQ(DecodeCommaText("\"\""), Items{""});
  EXPECT_EQ(DecodeCommaText("a,"), (Items{"a", ""}));
  EXPECT_EQ(DecodeCommaText("a, "), Items{"a"});  // only a comma at the very end adds an item
  EXPECT_EQ(DecodeCommaText(",a"), (Items{"", "a"}));
  EXPECT_EQ(DecodeCommaText("a,,b"), (Items{"a", "", "b"}));
  EXPECT_EQ(DecodeCommaText("  -VOL 20 , -ON"), (Items{"-VOL", "20", "-ON"}));
  EXPECT_EQ(DecodeCommaText("\"a \"\"b\"\" c\",d"), (Items{"a \"b\" c", "d"}));
  EXPECT_EQ(DecodeCommaText("\"open ended, here"), Items{"open ended, here"});
  EXPECT_EQ(DecodeCommaText("\"a\"b"), (Items{"a", "b"}));
  EXPECT_EQ(DecodeCommaText("x\"y"), Items{"x\"y"});
  EXPECT_EQ(DecodeCommaText(std::string_view("a,b\0c", 5)), (Items{"a", "b"}));
  // UTF-8 bytes are never blanks, quotes or commas.
  EXPECT_EQ(DecodeCommaText("表示,\"電源 切\""), (Items{"表示", "電源 切"}));
}

TEST(CommaTextTest, EncodedListsDecodeToThemselves) {
  const std::vector<Items> lists = {{""},
                                    {"", ""},
                                    {"a", ""},
                                    {"", "a"},
                                    {" lead", "trail "},
                                    {"\"", "\"\""},
                                    {",", ",,", "a,"},
                                    {"\t\r\n", "x"},
                                    {"電源", "01,スタンバイ", "スタンバイ 表示"},
                                    {"-PCALL", "5"}};
  for (const Items& items : lists) EXPECT_EQ(DecodeCommaText(EncodeCommaText(items)), items);
}

// The fields of skin.ini values such as VolBarRect.
TEST(CommaTextTest, SplitsSkinValues) {
  const struct {
    const char* value;
    std::vector<std::string> fields;
  } splits[] = {
      {"10,20", {"10", "20"}},       {" 10 , 20 ", {"10", "20"}}, {"10 20", {"10", "20"}},
      {"\"1, 2\",3", {"1, 2", "3"}}, {"5,", {"5", ""}},           {"", {}},
      {"a\"\"b", {"a\"\"b"}},        {"\"a\"\"b\"", {"a\"b"}},
  };
  for (const auto& s : splits) EXPECT_EQ(DecodeCommaText(s.value), s.fields) << s.value;
}

TEST(CsvField, WalksFromTheLeft) {
  EXPECT_EQ(GetCsvField("8,7,30,-ON,1", 1), "8");
  EXPECT_EQ(GetCsvField("8,7,30,-ON,1", 4), "-ON");
  EXPECT_EQ(GetCsvField("8,7,30,-ON,1", 5), "1");
  // Beyond the last field: the field taken last; with no comma at all, empty.
  EXPECT_EQ(GetCsvField("a,b", 3), "a");
  EXPECT_EQ(GetCsvField("a,b", 2), "b");
  EXPECT_EQ(GetCsvField("abc", 2), "");
  EXPECT_EQ(GetCsvField("abc", 1), "abc");
  EXPECT_EQ(GetCsvField("a,b", 0), "");
  EXPECT_EQ(GetCsvField("a,b", -1), "");
  EXPECT_EQ(GetCsvField(",,", 2), "");
  EXPECT_EQ(GetCsvField("", 1), "");
}

}  // namespace
}  // namespace zr4
