// Start at login: the Linux autostart entry on the real file system, and the Windows Run key's
// value against a fake registry (every platform).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "fakes/temp_folder.h"
#include "platform/options/run_key_windows.h"

#ifndef _WIN32
#include "platform/base/file_store_system.h"
#include "platform/options/login_start_linux.h"
#endif

namespace zr4 {
namespace {

#ifndef _WIN32
TEST(AutostartEntryTest, TheEntryStartsThisCopyWithAtLoginAndIsRemovedAgain) {
  test::TempFolder config;
  SystemFileStore files;
  // The configuration folder itself may not be there yet.
  AutostartEntry entry(files, config.Path("config"), "/opt/zr4/bin/zr4pcctrl");
  const std::string path = config.Path("config/autostart/io.github.zr4pcctrl.zr4pcctrl.desktop");
  EXPECT_EQ(entry.Location(), path);
  EXPECT_FALSE(entry.Enabled());

  ASSERT_TRUE(entry.SetEnabled(true));
  EXPECT_TRUE(entry.Enabled());
  const std::string text = config.Get("config/autostart/io.github.zr4pcctrl.zr4pcctrl.desktop");
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
  EXPECT_NE(text.find("\nExec=/opt/zr4/bin/zr4pcctrl --at-login\n"), std::string::npos);
  // The desktop's own validator accepts it (the install checks install it; CI has it).
  const char* ci = std::getenv("CI");
  if (std::system("command -v desktop-file-validate >/dev/null") == 0)
    EXPECT_EQ(std::system(("desktop-file-validate '" + path + "'").c_str()), 0);
  else
    EXPECT_FALSE(ci && std::string(ci) == "true") << "desktop-file-validate is missing";

  ASSERT_TRUE(entry.SetEnabled(false));
  EXPECT_FALSE(entry.Enabled());
  struct stat info {};
  EXPECT_NE(stat(path.c_str(), &info), 0);
  EXPECT_TRUE(entry.SetEnabled(false));  // nothing left to remove
}

// An entry of another copy (an older install, a portable copy elsewhere) is not this copy's:
// shown as off, and replaced when the box is ticked.
TEST(AutostartEntryTest, AnotherCopysEntryIsOffAndReplaced) {
  test::TempFolder config;
  SystemFileStore files;
  std::filesystem::create_directories(config.Path("autostart"));
  config.Put("autostart/io.github.zr4pcctrl.zr4pcctrl.desktop",
             "[Desktop Entry]\nType=Application\nName=x\nExec=/usr/bin/zr4pcctrl --at-login\n");
  AutostartEntry entry(files, config.Path(), "/home/u/zr4/zr4pcctrl");
  EXPECT_FALSE(entry.Enabled());
  ASSERT_TRUE(entry.SetEnabled(true));
  EXPECT_TRUE(entry.Enabled());
  EXPECT_NE(config.Get("autostart/io.github.zr4pcctrl.zr4pcctrl.desktop")
                .find("Exec=/home/u/zr4/zr4pcctrl --at-login\n"),
            std::string::npos);
}

// A configuration "folder" that is a file cannot take the entry (root or not).
TEST(AutostartEntryTest, AFolderThatCannotBeMadeChangesNothing) {
  test::TempFolder config;
  SystemFileStore files;
  config.Put("config", "not a folder");
  AutostartEntry entry(files, config.Path("config"), "/usr/bin/zr4pcctrl");
  EXPECT_FALSE(entry.SetEnabled(true));
  EXPECT_FALSE(entry.Enabled());
  EXPECT_EQ(config.Get("config"), "not a folder");
}

// Exec's quoting: a blank, a quote, a dollar and a backslash are quoted and escaped (then every
// backslash doubled, as in any string value); a percent sign is no field code.
TEST(AutostartEntryTest, ThePathIsQuotedAsTheDesktopEntryFormatRequires) {
  EXPECT_EQ(AutostartExec("/usr/bin/zr4pcctrl"), "/usr/bin/zr4pcctrl --at-login");
  EXPECT_EQ(AutostartExec("/home/u/My Apps/zr4pcctrl"), "\"/home/u/My Apps/zr4pcctrl\" --at-login");
  EXPECT_EQ(AutostartExec("/a\"b/$x/zr4"), "\"/a\\\\\"b/\\\\$x/zr4\" --at-login");
  EXPECT_EQ(AutostartExec("/a\\b"), "\"/a\\\\\\\\b\" --at-login");
  EXPECT_EQ(AutostartExec("/100%/zr4"), "/100%%/zr4 --at-login");
  EXPECT_EQ(AutostartExec("/音楽/zr4pcctrl"), "/音楽/zr4pcctrl --at-login");
}
#endif

class FakeRunKey : public Win32RunKey {
 public:
  bool Read(const std::string& name, std::string& command) override {
    const auto found = values.find(name);
    if (found == values.end()) return false;
    command = found->second;
    return true;
  }
  bool Write(const std::string& name, const std::string& command) override {
    if (refuses) return false;
    values[name] = command;
    return true;
  }
  bool Remove(const std::string& name) override {
    if (refuses) return false;
    values.erase(name);
    return true;
  }
  std::map<std::string, std::string> values;
  bool refuses = false;
};

TEST(RunKeyLoginStartTest, TheValueStartsThisCopyQuotedWithAtLogin) {
  FakeRunKey key;
  key.values["Other"] = "other.exe";
  RunKeyLoginStart login(key, "C:\\Program Files\\ZR4\\zr4pcctrl.exe");
  EXPECT_EQ(login.Location(),
            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\ZR4PCCtrl");
  EXPECT_FALSE(login.Enabled());
  ASSERT_TRUE(login.SetEnabled(true));
  EXPECT_EQ(key.values["ZR4PCCtrl"], "\"C:\\Program Files\\ZR4\\zr4pcctrl.exe\" --at-login");
  EXPECT_TRUE(login.Enabled());
  // Windows paths match without regard to case.
  key.values["ZR4PCCtrl"] = "\"c:\\program files\\zr4\\ZR4PCCTRL.EXE\" --at-login";
  EXPECT_TRUE(login.Enabled());

  ASSERT_TRUE(login.SetEnabled(false));
  EXPECT_EQ(key.values.count("ZR4PCCtrl"), 0u);
  EXPECT_EQ(key.values["Other"], "other.exe");
}

TEST(RunKeyLoginStartTest, AnotherCopyIsOffAndAFailedWriteIsReported) {
  FakeRunKey key;
  key.values["ZR4PCCtrl"] = "\"D:\\old\\zr4pcctrl.exe\" --at-login";
  RunKeyLoginStart login(key, "E:\\ポータブル\\zr4pcctrl.exe");
  EXPECT_FALSE(login.Enabled());
  key.refuses = true;
  EXPECT_FALSE(login.SetEnabled(true));
  EXPECT_EQ(key.values["ZR4PCCtrl"], "\"D:\\old\\zr4pcctrl.exe\" --at-login");
  key.refuses = false;
  ASSERT_TRUE(login.SetEnabled(true));
  EXPECT_EQ(key.values["ZR4PCCtrl"], "\"E:\\ポータブル\\zr4pcctrl.exe\" --at-login");
}

#ifdef _WIN32
// The system's own Run key (Wine's registry): written, read back with a Japanese path, removed.
TEST(RunKeyLoginStartTest, TheSystemRunKeyHoldsThePathWhole) {
  RunKeyLoginStart login(SystemWin32RunKey(), "C:\\音楽\\zr4pcctrl.exe");
  ASSERT_TRUE(login.SetEnabled(true));
  std::string command;
  ASSERT_TRUE(SystemWin32RunKey().Read("ZR4PCCtrl", command));
  EXPECT_EQ(command, "\"C:\\音楽\\zr4pcctrl.exe\" --at-login");
  EXPECT_TRUE(login.Enabled());
  ASSERT_TRUE(login.SetEnabled(false));
  EXPECT_FALSE(SystemWin32RunKey().Read("ZR4PCCtrl", command));
  EXPECT_TRUE(login.SetEnabled(false));
}
#endif

}  // namespace
}  // namespace zr4
