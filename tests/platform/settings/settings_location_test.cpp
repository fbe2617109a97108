#include "platform/settings/settings_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "fakes/temp_folder.h"
#include "platform/base/program_folder.h"

namespace zr4 {
namespace {

TEST(SettingsLocationTest, BesideTheProgramWhenItsFolderTakesIt) {
  test::TempFolder folder;
  const std::string name = "zr4pcctrl.ini";
  EXPECT_EQ(ChooseSettingsPath(folder.Path(), false, name), JoinPath(folder.Path(), name));
  // A folder named by ZR4PC_HOME is used even before it exists.
  const std::string home = folder.Path("not-yet");
  EXPECT_EQ(ChooseSettingsPath(home, true, name), JoinPath(home, name));
}

#ifndef _WIN32
class EnvironmentGuard {
 public:
  explicit EnvironmentGuard(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) saved_ = value, had_ = true;
  }
  ~EnvironmentGuard() {
    if (had_)
      setenv(name_, saved_.c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::string saved_;
  bool had_ = false;
};

TEST(SettingsLocationTest, AnInstalledCopyUsesTheUserConfigurationFolder) {
  EnvironmentGuard xdg("XDG_CONFIG_HOME"), home("HOME");
  test::TempFolder folder;
  const std::string installed = folder.Path("usr-bin-that-does-not-exist");
  const std::string config = folder.Path("config");
  std::filesystem::create_directories(config);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  EXPECT_EQ(ChooseSettingsPath(installed, false, "zr4pcctrl.ini"),
            config + "/zr4pcctrl/zr4pcctrl.ini");
  EXPECT_TRUE(std::filesystem::is_directory(config + "/zr4pcctrl"));

  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", folder.Path().c_str(), 1);
  EXPECT_EQ(ChooseSettingsPath(installed, false, "zr4pcctrl.ini"),
            folder.Path() + "/.config/zr4pcctrl/zr4pcctrl.ini");
}

TEST(SettingsLocationTest, ZR4PC_HOMENamesTheFolder) {
  EnvironmentGuard guard("ZR4PC_HOME");
  test::TempFolder folder;
  setenv("ZR4PC_HOME", folder.Path().c_str(), 1);
  EXPECT_EQ(SettingsFilePath(), JoinPath(folder.Path(), SettingsFileName(ExecutablePath())));
}
#endif

}  // namespace
}  // namespace zr4
