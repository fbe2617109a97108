#include "core/settings/settings_path.h"

#include <gtest/gtest.h>

#include <set>

namespace zr4 {
namespace {

// A file system of named files and writable folders.
struct FakeFolders {
  std::set<std::string> files;
  std::set<std::string> writable;
  std::string config = "/home/u/.config/zr4pcctrl";
  int configRequests = 0;

  SettingsFolderProbe Probe() {
    return {[this](const std::string& path) { return files.count(path) > 0; },
            [this](const std::string& folder) { return writable.count(folder) > 0; },
            [this] {
              ++configRequests;
              return config;
            },
            [](const std::string& folder, const std::string& name) { return folder + "/" + name; }};
  }
};

TEST(SettingsPathTest, TheFileIsNamedAfterTheProgram) {
  EXPECT_EQ(SettingsFileName("/opt/zr4/zr4pcctrl"), "zr4pcctrl.ini");
  EXPECT_EQ(SettingsFileName("C:\\Program Files\\ZR4\\zr4pcctrl.exe"), "zr4pcctrl.ini");
  EXPECT_EQ(SettingsFileName("/opt/folder.d/ctrl"), "ctrl.ini");
  EXPECT_EQ(SettingsFileName(""), "zr4pcctrl.ini");
  EXPECT_EQ(SettingsFileName("/bin/.hidden"), ".hidden.ini");
}

TEST(SettingsPathTest, PortableCopiesKeepTheFileBesideTheProgram) {
  FakeFolders fs;
  fs.writable.insert("/opt/zr4");
  EXPECT_EQ(ChooseSettingsPath("/opt/zr4", false, "zr4pcctrl.ini", fs.Probe()),
            "/opt/zr4/zr4pcctrl.ini");
  // A read-only folder that already holds the file keeps using it.
  fs.writable.clear();
  fs.files.insert("/opt/zr4/zr4pcctrl.ini");
  EXPECT_EQ(ChooseSettingsPath("/opt/zr4", false, "zr4pcctrl.ini", fs.Probe()),
            "/opt/zr4/zr4pcctrl.ini");
  // ZR4PC_HOME is used whatever it holds.
  EXPECT_EQ(ChooseSettingsPath("/nowhere", true, "zr4pcctrl.ini", fs.Probe()),
            "/nowhere/zr4pcctrl.ini");
  EXPECT_EQ(fs.configRequests, 0);  // the user's folder is not even created
}

TEST(SettingsPathTest, InstalledCopiesUseTheUserConfigurationFolder) {
  FakeFolders fs;
  EXPECT_EQ(ChooseSettingsPath("/usr/bin", false, "zr4pcctrl.ini", fs.Probe()),
            "/home/u/.config/zr4pcctrl/zr4pcctrl.ini");
  // Installed (share/zr4pcctrl beside bin): the user's folder even where the program folder can
  // be written, as for root or a copy unpacked into a staging folder.
  fs.files.insert("/stage/usr/share/zr4pcctrl");
  fs.writable.insert("/stage/usr/bin");
  EXPECT_EQ(ChooseSettingsPath("/stage/usr/bin", false, "zr4pcctrl.ini", fs.Probe()),
            "/home/u/.config/zr4pcctrl/zr4pcctrl.ini");
  EXPECT_EQ(InstalledDataFolder("C:\\Tools\\bin"), "C:\\Tools\\share\\zr4pcctrl");
  EXPECT_EQ(InstalledDataFolder("/opt/zr4"), "");
  fs.config.clear();  // no home to be found: beside the program, where saving will say it failed
  EXPECT_EQ(ChooseSettingsPath("/usr/bin", false, "zr4pcctrl.ini", fs.Probe()),
            "/usr/bin/zr4pcctrl.ini");
}

}  // namespace
}  // namespace zr4
