#include "core/pcactions/comma_text.h"

#include <gtest/gtest.h>

#include "core/pcactions/gesture_entry.h"

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

TEST(GestureEntryTest, HoldsSequenceCommandAndFlag) {
  const TGestureEntry standby{"↑↑↓", "01,スタンバイ", true};
  EXPECT_EQ(GestureToText(standby), "↑↑↓,\"01,スタンバイ\",1");
  EXPECT_EQ(GestureFromText("↑↑↓,\"01,スタンバイ\",1"), standby);

  // An empty sequence still holds three items: the text begins with the comma that ends it.
  const TGestureEntry empty{"", "12,Winamp Play", false};
  EXPECT_EQ(GestureToText(empty), ",\"12,Winamp Play\",0");
  EXPECT_EQ(GestureFromText(",\"12,Winamp Play\",0"), empty);

  // Hand-edited lines: missing items are empty and not enabled; a flag must be exactly "1".
  EXPECT_EQ(GestureFromText("OFF"), (TGestureEntry{"OFF", "", false}));
  EXPECT_EQ(GestureFromText("OFF,\"01,x\",yes"), (TGestureEntry{"OFF", "01,x", false}));
  EXPECT_EQ(GestureFromText("OFF,\"01,x\",1,extra"), (TGestureEntry{"OFF", "01,x", true}));
}

}  // namespace
}  // namespace zr4
