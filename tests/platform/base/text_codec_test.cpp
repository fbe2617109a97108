#include <gtest/gtest.h>

#include "platform/base/text_codec_system.h"

namespace zr4 {
namespace {

TEST(TextCodecTest, ReadsCodePage932AsUtf8) {
  SystemTextCodec codec;
  EXPECT_EQ(codec.LegacyToUtf8(""), "");
  EXPECT_EQ(codec.LegacyToUtf8("skins\\skindefa.zip"), "skins\\skindefa.zip");
  EXPECT_EQ(codec.LegacyToUtf8("\x93\x64\x8C\xB9"), "電源");
  // The second byte of "表示" is the backslash's code.
  EXPECT_EQ(codec.LegacyToUtf8("\x95\x5C\x8E\xA6"), "表示");
  EXPECT_EQ(codec.LegacyToUtf8("\x81\xAA\x81\xAA\x81\xAB"), "↑↑↓");
  EXPECT_EQ(codec.LegacyToUtf8("\xB1\xB2"), "ｱｲ");  // half-width katakana
  EXPECT_EQ(codec.LegacyToUtf8("\x87\x40"), "①");   // a Windows addition to Shift-JIS
}

#ifndef _WIN32
// Windows maps some of these bytes to private-use characters instead.
TEST(TextCodecTest, UnreadableBytesBecomeReplacementCharacters) {
  SystemTextCodec codec;
  EXPECT_EQ(codec.LegacyToUtf8("a\xFF"
                               "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(codec.LegacyToUtf8("ok\x93"), "ok\xEF\xBF\xBD");  // cut after a lead byte
}
#endif

TEST(TextCodecTest, LongTextConvertsWhole) {
  SystemTextCodec codec;
  std::string expected;
  for (int i = 0; i < 2500; ++i) expected += "血";
  EXPECT_EQ(codec.LegacyToUtf8(std::string(5000, '\x8C')), expected);
}

}  // namespace
}  // namespace zr4
