#include "core/base/file_path.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

TEST(FilePathTest, OneSeparatorBetweenFolderAndName) {
  EXPECT_EQ(JoinWithSlash("/usr/share", "zr4pcctrl"), "/usr/share/zr4pcctrl");
  EXPECT_EQ(JoinWithSlash("/usr/share/", "zr4pcctrl"), "/usr/share/zr4pcctrl");
  EXPECT_EQ(JoinWithSlash("/", "tmp"), "/tmp");
  EXPECT_EQ(JoinWithSlash("", "skins"), "skins");
  EXPECT_EQ(JoinWithSlash("odd\\", "name"), "odd\\/name");

  EXPECT_EQ(JoinWithBackslash("C:\\Tools", "zr4pcctrl.ini"), "C:\\Tools\\zr4pcctrl.ini");
  EXPECT_EQ(JoinWithBackslash("C:\\Tools\\", "zr4pcctrl.ini"), "C:\\Tools\\zr4pcctrl.ini");
  EXPECT_EQ(JoinWithBackslash("C:/Tools/", "skins"), "C:/Tools/skins");
  EXPECT_EQ(JoinWithBackslash("", "*"), "*");

  EXPECT_EQ(JoinFolderName("skins/", "a.ini", '/', ""), "skins//a.ini");
  EXPECT_EQ(JoinFolderName("", "a.ini", '/', ""), "a.ini");
}

}  // namespace
}  // namespace zr4
