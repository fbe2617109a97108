#include "core/settings/program_options.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

using Args = std::vector<std::string>;

TEST(ProgramOptionsTest, SwitchesBeforeTheControllerCommandLine) {
  const ProgramOptions o =
      ParseProgramOptions({"--simulate", "--debug", "--screenshot", "out.png", "-VOL", "20"});
  EXPECT_EQ(o.error, "");
  EXPECT_TRUE(o.simulate);
  EXPECT_TRUE(o.debug);
  EXPECT_FALSE(o.status);
  EXPECT_EQ(o.screenshotFile, "out.png");
  EXPECT_EQ(o.params, (Args{"-VOL", "20"}));
}

TEST(ProgramOptionsTest, ControllerCommandLineIsNeverTakenApart) {
  // Once the controller's own options begin, long options belong to them too.
  ProgramOptions o = ParseProgramOptions({"-ON", "--simulate", "--status"});
  EXPECT_EQ(o.error, "");
  EXPECT_FALSE(o.simulate);
  EXPECT_FALSE(o.status);
  EXPECT_EQ(o.params, (Args{"-ON", "--simulate", "--status"}));

  o = ParseProgramOptions({"--simulate", "--", "--x", "-ON"});
  EXPECT_TRUE(o.simulate);
  EXPECT_EQ(o.params, (Args{"--x", "-ON"}));

  // A parameter that is only dashes or empty is the controller's.
  o = ParseProgramOptions({"-", ""});
  EXPECT_EQ(o.params, (Args{"-", ""}));
}

TEST(ProgramOptionsTest, ScreenshotFileForms) {
  EXPECT_EQ(ParseProgramOptions({"--screenshot=a b.png"}).screenshotFile, "a b.png");
  // The file name may itself look like an option.
  EXPECT_EQ(ParseProgramOptions({"--screenshot", "--status"}).screenshotFile, "--status");
  EXPECT_NE(ParseProgramOptions({"--screenshot"}).error, "");
  EXPECT_NE(ParseProgramOptions({"--screenshot="}).error, "");
  EXPECT_NE(ParseProgramOptions({"--screenshot", ""}).error, "");
}

TEST(ProgramOptionsTest, StatusAndJson) {
  const ProgramOptions o = ParseProgramOptions({"--json", "--status", "--simulate"});
  EXPECT_EQ(o.error, "");
  EXPECT_TRUE(o.status);
  EXPECT_TRUE(o.json);
  EXPECT_TRUE(o.simulate);

  const ProgramOptions skin = ParseProgramOptions({"--json", "--check-skin", "skins/a.zip"});
  EXPECT_EQ(skin.error, "");
  EXPECT_EQ(skin.checkSkin, "skins/a.zip");
  EXPECT_TRUE(skin.json);
}

TEST(ProgramOptionsTest, SimulatedRemoteKey) {
  EXPECT_EQ(ParseProgramOptions({"--sim-remote", "mute"}).simRemoteKey, "mute");
  EXPECT_EQ(ParseProgramOptions({"--sim-remote=power"}).simRemoteKey, "power");
  EXPECT_NE(ProgramUsage().find("--sim-remote KEY"), std::string::npos);
}

TEST(ProgramOptionsTest, UnusableCommandLinesAreRefused) {
  for (const Args& args :
       {Args{"--bogus"}, Args{"--simulat"}, Args{"--json"}, Args{"--status", "-ON"},
        Args{"--status", "--screenshot", "x.png"}, Args{"--sim-remote"}, Args{"--sim-remote", "UP"},
        Args{"--sim-remote", "left"}, Args{"--sim-remote", "up", "-ON"},
        Args{"--status", "--sim-remote", "up"}, Args{"--check-skin"},
        Args{"--check-skin", "a.zip", "-ON"}, Args{"--check-skin", "a.zip", "--status"}}) {
    SCOPED_TRACE(args.front());
    EXPECT_NE(ParseProgramOptions(args).error, "");
  }
}

TEST(ProgramOptionsTest, HelpVersionAndUdevRules) {
  EXPECT_TRUE(ParseProgramOptions({"--help"}).help);
  EXPECT_TRUE(ParseProgramOptions({"--version"}).version);
  const ProgramOptions rules = ParseProgramOptions({"--print-udev-rules"});
  EXPECT_TRUE(rules.printUdevRules);
  EXPECT_TRUE(rules.params.empty());
  EXPECT_NE(ProgramUsage().find("--screenshot FILE"), std::string::npos);
}

TEST(ProgramOptionsTest, AtLoginIsTheProgramsNotTheControllers) {
  ProgramOptions o = ParseProgramOptions({"--at-login", "--simulate", "-ON"});
  EXPECT_EQ(o.error, "");
  EXPECT_TRUE(o.atLogin);
  EXPECT_TRUE(o.simulate);
  EXPECT_EQ(o.params, (Args{"-ON"}));
  // After the controller's command line has begun it is the controller's token, as any other.
  o = ParseProgramOptions({"-ON", "--at-login"});
  EXPECT_FALSE(o.atLogin);
  EXPECT_EQ(o.params, (Args{"-ON", "--at-login"}));
  EXPECT_FALSE(ParseProgramOptions({}).atLogin);
  EXPECT_NE(ProgramUsage().find("\n  --at-login "), std::string::npos);
}

}  // namespace
}  // namespace zr4
