// The program's device back-ends as started on this system: WINUSB.DLL is loaded once at start
// (or the user is told it is missing) and discovery on a machine without the component finds
// nothing. Run with the library present, and once more with it hidden from the loader (the
// test's environment then names what to expect).
#include "platform/device/system_devices_windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "fake_device_api_windows.h"

namespace zr4 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(WindowsDevices, WinUsbLibraryIsLoadedAtStartAndNothingIsFoundWithoutComponent) {
  const char* expectMissing = std::getenv("ZR4_EXPECT_WINUSB_MISSING");
  const bool missing = expectMissing != nullptr && std::string(expectMissing) == "1";
  std::vector<std::string> shown;
  WindowsDevices devices([&shown](const std::string& text) { shown.push_back(text); });
  if (missing) {
    EXPECT_THAT(shown, ElementsAre("Error: WINUSB.DLL could not be loaded !!"));
  } else {
    EXPECT_THAT(shown, IsEmpty());
  }

  test::LogCapture log;
  EXPECT_FALSE(devices.Finder().FindDevice());
  EXPECT_FALSE(devices.Finder().FindDevice());
  EXPECT_THAT(log.lines, IsEmpty());
  EXPECT_EQ(shown.size(), missing ? 1u : 0u);  // told once, not at every discovery
}

}  // namespace
}  // namespace zr4
