// The settings file through the real file store and code page converter.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/controller.h"
#include "core/ports/log.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_view.h"
#include "fakes/sim_link.h"
#include "fakes/temp_folder.h"
#include "platform/base/file_store_system.h"
#include "platform/base/text_codec_system.h"

namespace zr4 {
namespace {

class SettingsFileTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  test::TempFolder folder;
  SystemFileStore files;
  SystemTextCodec codec;
  SettingsStorage storage{files, codec, folder.Path("zr4pcctrl.ini")};
  test::FakeView view;
};

// As a Japanese Windows editor saves it: Shift-JIS, CRLF, names in any case.
TEST_F(SettingsFileTest, AShiftJisFileWithCrlfLineEndsReads) {
  folder.Put("zr4pcctrl.ini",
             "[Window]\r\nLeft=15\r\nTop=25\r\n"
             "[Setting]\r\nIconChange=1\r\nIconName=\x93\x64\x8C\xB9.ico\r\n"
             "SkinIniName=skins\\\x95\x5C\x8E\xA6.zip\r\nModebtn=0,1,0,1,0\r\n"
             "[RemoCon]\r\nCmd0=\x81\xAA\x81\xAA\x81\xAB,\"01,\x83\x58\x83\x5E\x83\x93\x83\x6F"
             "\x83\x43\",1\r\n"
             "[Timer]\r\nTimer0=8,7,30,-ON,1\r\n"
             "[Other]\r\nWinAmpPath=C:\\\x89\xB9\x8A\x79\\winamp.exe\r\n");
  TController controller(clock, link, view, &storage);
  Parts(controller).SettingsFiles().LoadSettings();
  EXPECT_EQ(view.window.left, 15);
  EXPECT_TRUE(Parts(controller).Settings().IconChange);
  EXPECT_EQ(Parts(controller).Settings().IconName, "電源.ico");
  EXPECT_EQ(Parts(controller).Options().SkinIniName, "skins\\表示.zip");
  EXPECT_TRUE(Parts(controller).Options().ModeCD && Parts(controller).Options().ModeAUX);
  EXPECT_EQ(Parts(controller).Settings().GestureList,
            (std::vector<std::string>{"↑↑↓,\"01,スタンバイ\",1", ""}));
  EXPECT_EQ(Parts(controller).Settings().TimerList.GetItem(0).Command, "-ON");
  EXPECT_EQ(Parts(controller).Options().WinAmpPath, "C:\\音楽\\winamp.exe");

  // Written back as UTF-8; the next start reads it the same, and saving again changes nothing.
  Parts(controller).SettingsFiles().SaveSettings();
  const std::string saved = folder.Get("zr4pcctrl.ini");
  EXPECT_NE(saved.find("IconName=電源.ico\r\n"), std::string::npos);
  TController next(clock, link, view, &storage);
  Parts(next).SettingsFiles().LoadSettings();
  EXPECT_EQ(Parts(next).Options(), Parts(controller).Options());
  EXPECT_EQ(Parts(next).Settings().GestureList, Parts(controller).Settings().GestureList);
  EXPECT_EQ(Parts(next).Settings().IconName, "電源.ico");
  Parts(next).SettingsFiles().SaveSettings();
  Parts(next).SettingsFiles().SaveSettings();
  EXPECT_EQ(folder.Get("zr4pcctrl.ini"), saved);
}

TEST_F(SettingsFileTest, BytesThatDoNotDecodeAreKeptBeforeTheFirstRewrite) {
  const std::string latin1 = "[Setting]\r\nSkinIniName=\xE9t\xE9\r\n";
  folder.Put("zr4pcctrl.ini", latin1);
  std::vector<std::string> notices;
  const LogSink previous =
      SetNoticeSink([&](std::string_view line) { notices.emplace_back(line); });
  TController controller(clock, link, view, &storage);
  Parts(controller).SettingsFiles().LoadSettings();
  Parts(controller).SettingsFiles().SaveSettings();
  Parts(controller).Options().VolMax = 40;
  Parts(controller).SettingsFiles().SaveSettings();
  SetNoticeSink(previous);
  EXPECT_EQ(folder.Get("zr4pcctrl.ini.bak"), latin1);
  EXPECT_NE(folder.Get("zr4pcctrl.ini"), latin1);
  EXPECT_EQ(notices, std::vector<std::string>{folder.Path("zr4pcctrl.ini") +
                                              " does not decode as text; its original bytes are "
                                              "kept as " +
                                              folder.Path("zr4pcctrl.ini.bak")});

  // Another file that does not decode, with that backup in the way: nothing is given up.
  folder.Put("zr4pcctrl.ini", "[Setting]\r\nIconName=\x81\r\n");
  Parts(controller).Options().VolMax = 50;
  Parts(controller).SettingsFiles().SaveSettings();
  EXPECT_EQ(folder.Get("zr4pcctrl.ini"), "[Setting]\r\nIconName=\x81\r\n");
  EXPECT_EQ(folder.Get("zr4pcctrl.ini.bak"), latin1);
}

// A read-only file is never rewritten: its bytes need no backup, whatever they are, and the
// failed write is told.
TEST_F(SettingsFileTest, AReadOnlyFileThatDoesNotDecodeGetsNoBackup) {
  const std::string latin1 = "[Setting]\r\nSkinIniName=\xE9t\xE9\r\n";
  folder.Put("zr4pcctrl.ini", latin1);
  std::filesystem::permissions(folder.Path("zr4pcctrl.ini"), std::filesystem::perms::owner_read);
  std::vector<std::string> notices;
  const LogSink previous =
      SetNoticeSink([&](std::string_view line) { notices.emplace_back(line); });
  TController controller(clock, link, view, &storage);
  Parts(controller).SettingsFiles().LoadSettings();
  Parts(controller).Options().VolMax = 40;
  Parts(controller).SettingsFiles().SaveSettings();
  SetNoticeSink(previous);
  std::filesystem::permissions(folder.Path("zr4pcctrl.ini"), std::filesystem::perms::owner_all);
  EXPECT_EQ(folder.Get("zr4pcctrl.ini"), latin1);
  EXPECT_EQ(folder.Entries(), 1u);
  EXPECT_EQ(notices,
            std::vector<std::string>{folder.Path("zr4pcctrl.ini") +
                                     ": read-only; kept as it is, nothing is saved to it"});
  // The user learns that the options set are not kept.
  EXPECT_EQ(view.messages, std::vector<std::string>{folder.Path("zr4pcctrl.ini") +
                                                    "への書き込みに失敗しました。"});
}

TEST_F(SettingsFileTest, AFailedSaveLeavesTheFileAsItWas) {
  SettingsStorage nowhere{files, codec, folder.Path("missing-folder/zr4pcctrl.ini")};
  TController controller(clock, link, view, &nowhere);
  Parts(controller).SettingsFiles().SaveSettings();
  EXPECT_EQ(view.messages, std::vector<std::string>{folder.Path("missing-folder/zr4pcctrl.ini") +
                                                    "への書き込みに失敗しました。"});
  EXPECT_EQ(folder.Entries(), 0u);
}

}  // namespace
}  // namespace zr4
