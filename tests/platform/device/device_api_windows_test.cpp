// The device back-ends on the system's own calls, as far as they can run without a component:
// enumeration that finds nothing, opens that fail, error texts and loading the WinUSB library.
// No test ever reaches WinUsb_Initialize (there is no device to open).
#include "platform/device/device_api_windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/device/zr4defs.h"
#include "fake_device_api_windows.h"
#include "platform/device/backends_windows.h"
#include "platform/device/discovery_windows.h"

namespace zr4 {
namespace {

using test::LogCapture;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

const std::string kMissingDevice = R"(\\.\zr4pc-no-such-device)";

TEST(SystemWin32Api, NoInterfaceOfAnyClassIsPresent) {
  Win32Api& api = SystemWin32Api();
  for (const Guid& interfaceClass : {kOrgDriverClass, kUusbdClass, kWinUsbClass}) {
    EXPECT_EQ(GetInterfacePath(api, interfaceClass, 0), "");
  }
  WinUsbLibrary winusb(api, nullptr);
  WindowsDeviceFinder finder(api, winusb);
  LogCapture log;
  EXPECT_FALSE(finder.FindDevice());
  EXPECT_TRUE(log.lines.empty());
}

TEST(SystemWin32Api, ErrorTextCarriesTheSystemMessageOnOneLine) {
  const std::string text = ErrorText(SystemWin32Api(), 2);  // file not found
  EXPECT_THAT(text, StartsWith("ERRORCODE: 2. "));
  EXPECT_GT(text.size(), std::string("ERRORCODE: 2. ").size());
  EXPECT_THAT(text, Not(HasSubstr("\n")));
  EXPECT_THAT(text, Not(HasSubstr("\r")));
}

TEST(SystemWin32Api, BackEndsReportAFailedOpen) {
  Win32Api& api = SystemWin32Api();
  LogCapture log;
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestOrg(api, kMissingDevice, true, buffer.data()));
  EXPECT_FALSE(DeviceRequestUusbd(api, kMissingDevice, false, buffer.data()));
  EXPECT_THAT(log.lines, ElementsAre("DEVICE HANDLE = -1", "ORG CreatFile  INVALID_HANDLE_VALUE",
                                     "DEVICE HANDLE = -1", "UUSBD CreatFile INVALID_HANDLE_VALUE"));
}

// Run with the library present, and once more with it hidden from the loader (the test's
// environment then names what to expect).
TEST(SystemWin32Api, WinUsbLibraryLoadsOrTellsTheUser) {
  const char* expectMissing = std::getenv("ZR4_EXPECT_WINUSB_MISSING");
  const bool missing = expectMissing != nullptr && std::string(expectMissing) == "1";
  Win32Api& api = SystemWin32Api();
  std::vector<std::string> shown;
  WinUsbLibrary winusb(api, [&shown](const std::string& text) { shown.push_back(text); });
  winusb.Load();

  if (missing) {
    EXPECT_THAT(shown, ElementsAre("Error: WINUSB.DLL could not be loaded !!"));
    EXPECT_FALSE(winusb.Usable());
  } else {
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(winusb.Usable());
  }
  LogCapture log;
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestWinUsb(api, winusb, kMissingDevice, true, buffer.data()));
  if (!missing) {
    EXPECT_THAT(log.lines, ElementsAre("WinUSB  CreateFile INVALID_HANDLE_VALUE"));
  }
}

}  // namespace
}  // namespace zr4
