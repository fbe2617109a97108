#include "core/base/ini_file.h"

#include <gtest/gtest.h>

#include "fakes/fake_file_store.h"

namespace zr4 {
namespace {

TEST(IniFileTest, NamesMatchWithoutRegardToCase) {
  const TIniFile ini = TIniFile::Parse("[Setting]\r\nModebtn=1,0,1,0,0\r\nvolmax=60\r\n");
  EXPECT_EQ(ini.ReadString("SETTING", "ModeBtn", "x"), "1,0,1,0,0");
  EXPECT_EQ(ini.ReadInteger("setting", "VolMax", 70), 60);
  EXPECT_TRUE(ini.ValueExists("Setting", "MODEBTN"));
  EXPECT_FALSE(ini.ValueExists("Other", "ModeBtn"));
  EXPECT_EQ(ini.ReadString("Setting", "Missing", "default"), "default");
}

TEST(IniFileTest, LinesAreTrimmedCommentsAndStrayLinesSkipped) {
  const TIniFile ini = TIniFile::Parse(
      "orphan=before any section\n"
      "  [ Window ]  \n"
      "; Left=1\n"
      "\n"
      "\tLeft =  12 \r"
      "no equals sign here\n"
      "Top=34\n"
      "Top=99\n"
      "Path= C:\\a b\\c.exe \n");
  EXPECT_EQ(ini.ReadInteger("Window", "Left", 0), 12);
  EXPECT_EQ(ini.ReadInteger("Window", "Top", 0), 34);  // the first of duplicates wins
  EXPECT_EQ(ini.ReadString("Window", "Path", ""), "C:\\a b\\c.exe");
  EXPECT_FALSE(ini.ValueExists("Window", "; Left"));
  EXPECT_FALSE(ini.ValueExists("", "orphan"));
}

TEST(IniFileTest, IntegersAndBooleansFallBackWhenNotNumbers) {
  const TIniFile ini =
      TIniFile::Parse("[S]\nA=abc\nB=-20\nC=+7\nD=12x\nE=99999999999\nF=\nG=2\nH=0\nI=+-1\n");
  EXPECT_EQ(ini.ReadInteger("S", "A", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "B", 5), -20);
  EXPECT_EQ(ini.ReadInteger("S", "C", 5), 7);
  EXPECT_EQ(ini.ReadInteger("S", "D", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "E", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "F", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "I", 5), 5);
  EXPECT_TRUE(ini.ReadBool("S", "G", false));
  EXPECT_FALSE(ini.ReadBool("S", "H", true));
  EXPECT_TRUE(ini.ReadBool("S", "A", true));  // not a number: the default
}

TEST(IniFileTest, WritesKeepPlacesAndAppendNewKeys) {
  TIniFile ini = TIniFile::Parse("[B]\r\nx=1\r\ny=2\r\n[A]\r\nk=v\r\n");
  ini.WriteInteger("b", "Y", 20);  // takes the spelling given
  ini.WriteBool("B", "z", true);
  ini.WriteString("New", "key", " value\r\n");  // kept as it will read back
  ini.WriteString("a", "k", "line\r\nbreak");
  EXPECT_EQ(ini.Serialize(),
            "[B]\r\nx=1\r\nY=20\r\nz=1\r\n\r\n[A]\r\nk=line  break\r\n\r\n[New]\r\nkey=value\r\n");
}

TEST(IniFileTest, AnErasedSectionVanishesOrComesBackAtItsPlace) {
  TIniFile ini = TIniFile::Parse("[Timer]\nTimer0=a\nTimer1=b\n[Other]\nP=1\n");
  ini.EraseSection("TIMER");
  EXPECT_FALSE(ini.SectionExists("Timer"));
  EXPECT_FALSE(ini.ValueExists("Timer", "Timer1"));
  EXPECT_EQ(ini.Serialize(), "[Other]\r\nP=1\r\n");
  ini.WriteString("Timer", "Timer0", "c");
  EXPECT_EQ(ini.Serialize(), "[Timer]\r\nTimer0=c\r\n\r\n[Other]\r\nP=1\r\n");
}

TEST(IniFileTest, RepeatedSectionsAndKeysResolveToTheirFirstOccurrence) {
  TIniFile ini = TIniFile::Parse("[A]\nk=1\nK=2\n[B]\nx=1\n[a]\nk=3\nnew=4\n");
  EXPECT_EQ(ini.ReadString("A", "K", ""), "1");
  EXPECT_EQ(ini.ReadString("a", "NEW", ""), "4");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(ini.KeyNames("a"), (std::vector<std::string>{"k", "K", "k", "new"}));
  EXPECT_EQ(ini.SectionKeys("A"), (std::vector<std::string>{"k", "new"}));

  ini.WriteString("A", "K", "9");  // the first of the duplicates, now spelt "K"
  EXPECT_EQ(ini.Serialize(), "[A]\r\nK=9\r\nK=2\r\nk=3\r\nnew=4\r\n\r\n[B]\r\nx=1\r\n");

  ini.EraseSection("a");
  EXPECT_EQ(ini.ReadString("A", "k", "gone"), "gone");
  EXPECT_TRUE(ini.SectionKeys("A").empty());
  ini.WriteString("a", "k", "5");
  ini.WriteString("A", "K", "6");
  EXPECT_EQ(ini.Serialize(), "[A]\r\nK=6\r\n\r\n[B]\r\nx=1\r\n");
}

// Keys added to a section read from the file, past the room the file gave it, and a large
// section erased among others: every other key is still found, and the file order holds.
TEST(IniFileTest, KeysAddedAfterReadingAndErasedInBulkKeepTheRest) {
  std::string text = "[Big]\n";
  for (int n = 0; n < 3000; ++n) text += "k" + std::to_string(n) + "=" + std::to_string(n) + "\n";
  text += "[Small]\na=1\n";
  for (int n = 0; n < 3000; ++n)
    text += "[S" + std::to_string(n) + "]\nk" + std::to_string(n) + "=s\n";
  TIniFile ini = TIniFile::Parse(text);
  ini.WriteString("Small", "b", "2");
  ini.WriteString("Small", "c", "3");
  ini.WriteString("small", "A", "9");
  EXPECT_EQ(ini.KeyNames("Small"), (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_EQ(ini.ReadString("Small", "B", ""), "2");

  ini.EraseSection("Big");
  EXPECT_FALSE(ini.ValueExists("Big", "k17"));
  for (int n = 0; n < 3000; n += 7)
    EXPECT_EQ(ini.ReadString("S" + std::to_string(n), "K" + std::to_string(n), ""), "s") << n;
  ini.WriteString("Big", "k1", "again");
  EXPECT_EQ(ini.ReadString("Big", "k1", ""), "again");
  EXPECT_EQ(ini.Serialize().rfind(
                "[Big]\r\nk1=again\r\n\r\n[Small]\r\nA=9\r\nb=2\r\nc=3\r\n\r\n[S0]\r\n", 0),
            0u);
}

// Names are written trimmed; writing the same name again finds what was written.
TEST(IniFileTest, ANameWrittenWithBlanksIsFoundAgain) {
  TIniFile ini;
  ini.WriteString(" Other ", "WinAmpPath", "a");
  ini.WriteString(" Other ", "WinAmpPath", "b");
  EXPECT_EQ(ini.Serialize(), "[Other]\r\nWinAmpPath=b\r\n");
}

// Many sections with the same key names: every key is found in its own section only.
TEST(IniFileTest, KeysOfLargeFilesAreFoundInTheirOwnSection) {
  std::string text;
  for (int n = 0; n < 2000; ++n)
    text += "[Extra" + std::to_string(n) + "]\nName=" + std::to_string(n) + "\nCmd" +
            std::to_string(n) + "=x\n";
  const TIniFile ini = TIniFile::Parse(text);
  EXPECT_EQ(ini.ReadInteger("EXTRA0", "name", -1), 0);
  EXPECT_EQ(ini.ReadInteger("extra1999", "NAME", -1), 1999);
  EXPECT_TRUE(ini.ValueExists("Extra1234", "cmd1234"));
  EXPECT_FALSE(ini.ValueExists("Extra1234", "Cmd1235"));
  EXPECT_FALSE(ini.ValueExists("Extra2000", "Name"));
  EXPECT_EQ(ini.SectionNames().size(), 2000u);
}

TEST(IniFileTest, SerializedTextParsesToTheSameText) {
  TIniFile ini;
  ini.WriteString("Setting", "SkinIniName", "skins\\skindefa.zip");
  ini.WriteString("RemoCon", "Cmd0", "↑↑↓,\"01,スタンバイ\",1");
  const std::string once = ini.Serialize();
  EXPECT_EQ(TIniFile::Parse(once).Serialize(), once);
}

TEST(IniFileTest, Utf8IsTakenAsItIsAndAnythingElseGoesThroughTheCodec) {
  test::FakeTextCodec codec;
  EXPECT_EQ(DecodeIniText("[S]\nName=電源\n", codec), "[S]\nName=電源\n");
  EXPECT_EQ(DecodeIniText("\xEF\xBB\xBF[S]\nName=電源\n", codec), "[S]\nName=電源\n");
  EXPECT_EQ(codec.calls, 0);
  // "電源" as code page 932 is not valid UTF-8.
  EXPECT_EQ(DecodeIniText("[S]\nName=\x93\x64\x8C\xB9\n", codec), "[S]\nName=?d??\n");
  EXPECT_EQ(codec.calls, 1);

  // UTF-16 as older Notepad saves "Unicode": "[S]", "電", "😀" and a lone surrogate.
  EXPECT_EQ(
      DecodeIniText(std::string("\xFF\xFE[\0S\0]\0\xFB\x96\x3D\xD8\x00\xDE\x00\xD8", 16), codec),
      "[S]電😀\xEF\xBF\xBD");
  EXPECT_EQ(DecodeIniText(std::string("\xFE\xFF\0k\x96\xFB\x01", 7), codec), "k電\xEF\xBF\xBD");
  EXPECT_EQ(codec.calls, 1);
}

TEST(IniFileTest, Utf8ValidationRejectsMalformedForms) {
  EXPECT_TRUE(IsValidUtf8("plain ↑ 電源 \xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE9\x9B"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\x83\x5C"));          // "ソ" in code page 932
}

TEST(IniFileTest, LoadingAMissingOrUnreadableFileGivesAnEmptyObject) {
  test::FakeFileStore files;
  test::FakeTextCodec codec;
  TIniFile ini = TIniFile::Parse("[S]\nk=v\n");
  EXPECT_EQ(LoadIniFile(files, codec, "/x.ini", ini), FileRead::Result::Missing);
  EXPECT_FALSE(ini.SectionExists("S"));
  files.files["/x.ini"] = "[S]\nk=v\n";
  EXPECT_EQ(LoadIniFile(files, codec, "/x.ini", ini), FileRead::Result::Ok);
  EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
  files.unreadable = true;
  EXPECT_EQ(LoadIniFile(files, codec, "/x.ini", ini), FileRead::Result::Failed);
  EXPECT_FALSE(ini.SectionExists("S"));
}

}  // namespace
}  // namespace zr4
