#include "core/device/usb_access.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace zr4 {
namespace {

TEST(UsbAccessTest, TheShippedRuleFileIsWhatTheProgramPrints) {
  std::ifstream file(ZR4_SOURCE_DIR "/packaging/linux/60-zr4pcctrl.rules");
  ASSERT_TRUE(file.is_open());
  std::stringstream shipped;
  shipped << file.rdbuf();
  EXPECT_EQ(shipped.str(), UdevRulesText());
  // udev compares attribute texts, and sysfs spells the identity in lower case.
  EXPECT_NE(UdevRulesText().find("ATTR{idVendor}==\"5d1e\", ATTR{idProduct}==\"1001\""),
            std::string::npos);
  EXPECT_NE(UdevRulesText().find("TAG+=\"uaccess\""), std::string::npos);
}

TEST(UsbAccessTest, TheRefusalMessageNamesTheNodeTheRuleAndRunnableCommands) {
  const std::string message = UsbAccessDeniedMessage("/dev/bus/usb/001/007", "/home/a b/zr4pcctrl");
  EXPECT_NE(message.find("/dev/bus/usb/001/007"), std::string::npos);
  EXPECT_NE(message.find("'/home/a b/zr4pcctrl' --print-udev-rules | sudo tee "
                         "/etc/udev/rules.d/60-zr4pcctrl.rules\n"),
            std::string::npos);
  EXPECT_NE(message.find("\nsudo udevadm control --reload\nsudo udevadm trigger\n"),
            std::string::npos);
  EXPECT_NE(message.find("権限がありません"), std::string::npos);
}

TEST(UsbAccessTest, ShellQuoteKeepsPlainWordsAndQuotesTheRest) {
  EXPECT_EQ(ShellQuote("/usr/bin/zr4pcctrl"), "/usr/bin/zr4pcctrl");
  EXPECT_EQ(ShellQuote("/opt/my app/zr4pcctrl"), "'/opt/my app/zr4pcctrl'");
  EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
  EXPECT_EQ(ShellQuote("$(rm -rf ~)"), "'$(rm -rf ~)'");
  EXPECT_EQ(ShellQuote(""), "''");
}

}  // namespace
}  // namespace zr4
