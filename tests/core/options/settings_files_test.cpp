// The settings file and the files beside it, read and written without a controller.
#include "core/options/settings_files.h"

#include <gtest/gtest.h>

#include "core/pcactions/app_ctrl.h"
#include "fakes/fake_file_store.h"
#include "fakes/fake_view.h"

namespace zr4 {
namespace {

constexpr const char* kPath = "/home/user/zr4pcctrl/zr4pcctrl.ini";

TEST(SettingsFilesTest, TheWindowPositionGoesIntoTheFileAndComesBackFromIt) {
  test::FakeView view;
  test::FakeFileStore files;
  test::FakeTextCodec codec;
  SettingsStorage storage{files, codec, kPath};
  TSettings settings;
  TSettingsFiles settingsFiles(&storage, view, view, view, settings);

  view.window = {120, 80, 440, 200};
  settingsFiles.SaveSettings();
  EXPECT_EQ(files.files[kPath].rfind("[Window]\r\nLeft=120\r\nTop=80\r\n", 0), 0u);

  // The options page shown last is kept for the run, never read from the file.
  settings.Options.OptionPage = 3;
  files.files[kPath] = "[Window]\r\nLeft=10\r\nTop=20\r\n[Setting]\r\nVolMax=50\r\n";
  settingsFiles.LoadSettings();
  EXPECT_EQ(view.window.left, 10);
  EXPECT_EQ(view.window.top, 20);
  EXPECT_EQ(settings.Options.VolMax, 50);
  EXPECT_EQ(settings.Options.OptionPage, 3);
}

TEST(SettingsFilesTest, AReadOnlyFileIsToldOncePerRunAndLeftAsItIs) {
  test::FakeView view;
  test::FakeFileStore files;
  test::FakeTextCodec codec;
  SettingsStorage storage{files, codec, kPath};
  TSettings settings;
  TSettingsFiles settingsFiles(&storage, view, view, view, settings);
  const std::string before = "[Setting]\r\nVolMax=50\r\n";
  files.files[kPath] = before;
  files.readOnly.insert(kPath);

  settings.Options.VolMax = 40;
  settingsFiles.SaveSettings();
  settings.Options.VolMax = 30;
  settingsFiles.SaveSettings();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0], "/home/user/zr4pcctrl/zr4pcctrl.iniへの書き込みに失敗しました。");
  EXPECT_EQ(files.files[kPath], before);
  EXPECT_EQ(files.files.size(), 1u);  // no backup beside it

  // A write that fails for another reason is told every time, as before.
  files.readOnly.clear();
  files.failWrites = true;
  settingsFiles.SaveSettings();
  settingsFiles.SaveSettings();
  EXPECT_EQ(view.messages.size(), 3u);
}

// Thousands of bad sections are told in one message naming the first ten; the good ones load.
TEST(SettingsFilesTest, BadCommandSetsAreToldInOneShortMessage) {
  test::FakeView view;
  test::FakeFileStore files;
  test::FakeTextCodec codec;
  SettingsStorage storage{files, codec, kPath};
  TSettings settings;
  TSettingsFiles settingsFiles(&storage, view, view, view, settings);
  std::string text = "[Good]\r\nClass=W\r\nPath=p.exe\r\n";
  for (int n = 0; n < 3000; ++n) text += "[B" + std::to_string(n) + "]\r\nClass=W\r\n";
  files.files["/home/user/zr4pcctrl/DoraZozArar.ini"] = text;

  TAppCtrlList sets;
  settingsFiles.LoadAppCommandSets(sets);
  EXPECT_EQ(sets.AppCount(), 3001);
  EXPECT_EQ(view.captionedMessages,
            std::vector<std::string>{
                "INI読込エラー|SECTION: [B0] \nSECTION: [B1] \nSECTION: [B2] \nSECTION: [B3] \n"
                "SECTION: [B4] \nSECTION: [B5] \nSECTION: [B6] \nSECTION: [B7] \nSECTION: [B8] \n"
                "SECTION: [B9] \n…ほか 2990 件"});

  // One bad section is told as it always was.
  view.captionedMessages.clear();
  files.files["/home/user/zr4pcctrl/DoraZozArar.ini"] = "[Bad]\r\nClass=W\r\n";
  settingsFiles.LoadAppCommandSets(sets);
  EXPECT_EQ(view.captionedMessages, std::vector<std::string>{"INI読込エラー|SECTION: [Bad] "});
}

TEST(SettingsFilesTest, WithoutFilesTheSettingsStayAndTheListsEmpty) {
  test::FakeView view;
  TSettings settings;
  settings.Options.VolMax = 40;
  TSettingsFiles settingsFiles(nullptr, view, view, view, settings);

  settingsFiles.LoadSettings();
  settingsFiles.SaveSettings();
  EXPECT_EQ(settings.Options.VolMax, 40);
  EXPECT_EQ(view.windowMoves, 0);

  std::vector<TShortcutBinding> shortcuts(2);
  settingsFiles.LoadShortcuts(shortcuts);
  EXPECT_TRUE(shortcuts.empty());
  TAppCtrlList sets;
  sets.Apps.emplace_back(1);
  settingsFiles.LoadAppCommandSets(sets);
  EXPECT_TRUE(sets.Apps.empty());
  EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace zr4
