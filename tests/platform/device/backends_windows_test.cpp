#include "platform/device/backends_windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "core/device/zr4defs.h"
#include "fake_device_api_windows.h"

namespace zr4 {
namespace {

using test::FakeWin32Api;
using test::LogCapture;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<std::uint8_t>;

const std::string kPath = R"(\\?\usb#vid_5d1e&pid_1001#1#{guid})";
constexpr std::uint32_t kReadWrite = 0xC0000000;
constexpr std::uint32_t kShareReadWrite = 3;
constexpr std::uint32_t kOpenExistingDisposition = 3;
constexpr std::uint32_t kNormal = 0x80;
constexpr std::uint32_t kOverlapped = 0x40000000;

Frame Counting() {
  Frame frame;
  std::iota(frame.begin(), frame.end(), std::uint8_t{0x40});
  return frame;
}

Bytes Concat(Bytes head, const Frame& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

class WindowsBackendsTest : public ::testing::Test {
 protected:
  FakeWin32Api api;
  LogCapture log;
};

// ---- own driver ---------------------------------------------------------------------------------

const Bytes kOrgHeaderIn = {0x42, 0x53, 0, 0, 0, 0, 0x18, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0};
const Bytes kOrgHeaderOut = {0x42, 0x53, 0, 0, 0, 0, 0x18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0};

TEST_F(WindowsBackendsTest, OwnDriverReadTakesTheDataFromOffsetEight) {
  const Frame report = Counting();
  api.ioReply = Concat({1, 2, 3, 4, 5, 6, 7, 8}, report);
  api.messages[0] = "The operation completed successfully.\r\n";
  Frame buffer{};

  EXPECT_TRUE(DeviceRequestOrg(api, kPath, true, buffer.data()));

  EXPECT_EQ(buffer, report);
  ASSERT_EQ(api.opens.size(), 1u);
  const auto& open = api.opens[0];
  EXPECT_EQ(open.path, kPath);
  EXPECT_EQ(open.access, kReadWrite);
  EXPECT_EQ(open.share, kShareReadWrite);
  EXPECT_EQ(open.creation, kOpenExistingDisposition);
  EXPECT_EQ(open.flags, kNormal);
  ASSERT_EQ(api.ioCalls.size(), 1u);
  EXPECT_EQ(api.ioCalls[0].code, 0x00222010u);
  EXPECT_EQ(api.ioCalls[0].input, kOrgHeaderIn);
  EXPECT_EQ(api.ioCalls[0].outputSize, 40u);
  EXPECT_THAT(api.closed, ElementsAre(open.handle));
  EXPECT_THAT(log.lines, ElementsAre("DEVICE HANDLE = 100", "ORG IN  STATUS: True",
                                     "ORG IN: ERRORCODE: 0. The operation completed successfully.",
                                     HexDump(report)));
}

TEST_F(WindowsBackendsTest, OwnDriverSendsHeaderAndFrameInOneControl) {
  const Frame frame = BuildFrame(0x06, 0x80);
  Frame buffer = frame;
  api.ioResult = false;
  api.ioError = 31;
  api.messages[31] = "A device attached to the system is not functioning.\r\n";

  EXPECT_FALSE(DeviceRequestOrg(api, kPath, false, buffer.data()));

  ASSERT_EQ(api.ioCalls.size(), 1u);
  EXPECT_EQ(api.ioCalls[0].code, 0x00222010u);
  EXPECT_EQ(api.ioCalls[0].input, Concat(kOrgHeaderOut, frame));
  EXPECT_EQ(api.ioCalls[0].input.size(), 51u);
  EXPECT_EQ(api.ioCalls[0].outputSize, 8u);
  EXPECT_EQ(api.closed.size(), 1u);
  EXPECT_EQ(buffer, frame);
  EXPECT_THAT(log.lines,
              ElementsAre("DEVICE HANDLE = 100", "ORG OUT  STATUS: False",
                          "ORG OUT  ERRORCODE: 31. A device attached to the system is not "
                          "functioning.",
                          "B8 02 06 80 40 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                          "00 00 00 00 00 00 00 00 00 00 "));
}

TEST_F(WindowsBackendsTest, OwnDriverOpenFailureSendsNothing) {
  api.unopenable.insert(kPath);
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestOrg(api, kPath, true, buffer.data()));
  EXPECT_TRUE(api.ioCalls.empty());
  EXPECT_TRUE(api.closed.empty());
  EXPECT_THAT(log.lines, ElementsAre("DEVICE HANDLE = -1", "ORG CreatFile  INVALID_HANDLE_VALUE"));
}

TEST_F(WindowsBackendsTest, OwnDriverClosesTheHandleWhenTheControlThrows) {
  api.ioThrows = true;
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestOrg(api, kPath, true, buffer.data()));
  EXPECT_EQ(api.closed.size(), 1u);
  EXPECT_EQ(log.lines.back(), "Exception DeviceRequestOrg");
}

// ---- UUSBD --------------------------------------------------------------------------------------

const Bytes kUusbdHeaderIn = {0x18, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const Bytes kUusbdHeaderOut = {0x18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

TEST_F(WindowsBackendsTest, UusbdReadUsesItsOwnCodeAndTheWholeReply) {
  const Frame report = Counting();
  api.ioReply.assign(report.begin(), report.end());
  Frame buffer{};

  EXPECT_TRUE(DeviceRequestUusbd(api, kPath, true, buffer.data()));

  EXPECT_EQ(buffer, report);
  ASSERT_EQ(api.ioCalls.size(), 1u);
  EXPECT_EQ(api.ioCalls[0].code, 0x0022000Cu);
  EXPECT_EQ(api.ioCalls[0].input, kUusbdHeaderIn);
  EXPECT_EQ(api.ioCalls[0].outputSize, 32u);
  EXPECT_EQ(api.opens.at(0).flags, kNormal);
  EXPECT_EQ(api.closed.size(), 1u);
  EXPECT_THAT(log.lines, ElementsAre("DEVICE HANDLE = 100", "UUSBD IN  STATUS: True",
                                     "UUSBD IN: ERRORCODE: 0. ", HexDump(report)));
}

TEST_F(WindowsBackendsTest, UusbdSendsHeaderAndFrameWithoutReply) {
  const Frame frame = BuildFrame(0x4D, 22);
  Frame buffer = frame;

  EXPECT_TRUE(DeviceRequestUusbd(api, kPath, false, buffer.data()));

  ASSERT_EQ(api.ioCalls.size(), 1u);
  EXPECT_EQ(api.ioCalls[0].code, 0x00220010u);
  EXPECT_EQ(api.ioCalls[0].input, Concat(kUusbdHeaderOut, frame));
  EXPECT_EQ(api.ioCalls[0].outputSize, 0u);
  EXPECT_THAT(log.lines, ElementsAre("DEVICE HANDLE = 100", "UUSBD OUT  STATUS: True",
                                     "UUSBD OUT: ERRORCODE: 0. ", HexDump(frame)));
}

TEST_F(WindowsBackendsTest, UusbdOpenFailureSendsNothing) {
  api.unopenable.insert(kPath);
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestUusbd(api, kPath, false, buffer.data()));
  EXPECT_TRUE(api.ioCalls.empty());
  EXPECT_EQ(log.lines.back(), "UUSBD CreatFile INVALID_HANDLE_VALUE");
}

// ---- error text ---------------------------------------------------------------------------------

TEST_F(WindowsBackendsTest, ErrorTextIsOneLineOfAtMost511MessageCharacters) {
  api.messages[5] = "Access is denied.\r\n";
  EXPECT_EQ(ErrorText(api, 5), "ERRORCODE: 5. Access is denied.");
  EXPECT_EQ(ErrorText(api, 4242), "ERRORCODE: 4242. ");
  EXPECT_THAT(api.messageBufferSizes, ElementsAre(512u, 512u));

  api.messages[6] = std::string(600, 'x');
  EXPECT_EQ(ErrorText(api, 6), "ERRORCODE: 6. " + std::string(511, 'x'));
}

// ---- WinUSB -------------------------------------------------------------------------------------

class WinUsbBackendTest : public WindowsBackendsTest {
 protected:
  std::vector<std::string> shown;
  WinUsbLibrary winusb{api, [this](const std::string& text) { shown.push_back(text); }};
};

TEST_F(WinUsbBackendTest, LoadingSuppressesTheErrorBoxAndResolvesOnce) {
  winusb.Load();
  winusb.Load();
  EXPECT_THAT(api.loaded, ElementsAre("WINUSB.DLL"));
  EXPECT_THAT(api.errorModeAtLoad, ElementsAre(0x8000u));
  EXPECT_EQ(api.errorMode, 0x0001u);  // restored
  EXPECT_TRUE(winusb.Usable());
  EXPECT_TRUE(shown.empty());
}

TEST_F(WinUsbBackendTest, AMissingLibraryIsToldAndNoRequestIsTried) {
  api.libraryPresent = false;
  winusb.Load();
  EXPECT_THAT(shown, ElementsAre("Error: WINUSB.DLL could not be loaded !!"));
  EXPECT_EQ(api.errorMode, 0x0001u);

  Frame buffer{};
  EXPECT_FALSE(DeviceRequestWinUsb(api, winusb, kPath, true, buffer.data()));
  EXPECT_TRUE(api.opens.empty());
}

TEST_F(WinUsbBackendTest, AMissingEntryPointMakesTheBackEndUnusable) {
  api.missingEntries.insert("WinUsb_ControlTransfer");
  winusb.Load();
  EXPECT_FALSE(winusb.Usable());
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestWinUsb(api, winusb, kPath, false, buffer.data()));
  EXPECT_TRUE(api.opens.empty());
}

TEST_F(WinUsbBackendTest, TheLibraryIsFreedWithItsOwner) {
  {
    WinUsbLibrary owner(api, nullptr);
    owner.Load();
  }
  EXPECT_THAT(api.freedModules, ElementsAre(FakeWin32Api::kModule));
}

TEST_F(WinUsbBackendTest, ReadIsOneVendorControlTransferOnAnOverlappedHandle) {
  winusb.Load();
  const Frame report = Counting();
  api.transferReply.assign(report.begin(), report.end());
  Frame buffer{};

  EXPECT_TRUE(DeviceRequestWinUsb(api, winusb, kPath, true, buffer.data()));

  EXPECT_EQ(buffer, report);
  ASSERT_EQ(api.opens.size(), 1u);
  EXPECT_EQ(api.opens[0].access, kReadWrite);
  EXPECT_EQ(api.opens[0].share, kShareReadWrite);
  EXPECT_EQ(api.opens[0].flags, kNormal | kOverlapped);
  EXPECT_THAT(api.initializedFiles, ElementsAre(api.opens[0].handle));
  ASSERT_EQ(api.transfers.size(), 1u);
  const auto& setup = api.transfers[0].setup;
  EXPECT_EQ(setup.requestType, 0xC1);
  EXPECT_EQ(setup.request, 0);
  EXPECT_EQ(setup.value, 0);
  EXPECT_EQ(setup.index, 0);
  EXPECT_EQ(setup.length, 32);
  EXPECT_EQ(api.transfers[0].length, 32u);
  EXPECT_EQ(api.transfers[0].interfaceHandle, 0x5151u);
  EXPECT_THAT(api.calls, ElementsAre("SetErrorMode", "LoadLibraryA", "SetErrorMode", "CreateFileA",
                                     "WinUsb_Initialize", "WinUsb_ControlTransfer", "WinUsb_Free",
                                     "CloseHandle"));
  EXPECT_THAT(log.lines, ElementsAre("WinUSB Status: True  direction: -1", HexDump(report)));
}

TEST_F(WinUsbBackendTest, SendHandsTheFrameToTheTransfer) {
  winusb.Load();
  const Frame frame = BuildFrame(0x00, 0xCB);
  Frame buffer = frame;

  EXPECT_TRUE(DeviceRequestWinUsb(api, winusb, kPath, false, buffer.data()));

  ASSERT_EQ(api.transfers.size(), 1u);
  EXPECT_EQ(api.transfers[0].setup.requestType, 0x41);
  EXPECT_THAT(api.transfers[0].data, ElementsAreArray(frame));
  EXPECT_THAT(log.lines, ElementsAre("WinUSB Status: True  direction: 0", HexDump(frame)));
}

TEST_F(WinUsbBackendTest, OpenFailureIsLogged) {
  winusb.Load();
  api.unopenable.insert(kPath);
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestWinUsb(api, winusb, kPath, true, buffer.data()));
  EXPECT_TRUE(api.initializedFiles.empty());
  EXPECT_THAT(log.lines, ElementsAre("WinUSB  CreateFile INVALID_HANDLE_VALUE"));
}

TEST_F(WinUsbBackendTest, InitializeFailureClosesTheFile) {
  winusb.Load();
  api.initializeResult = false;
  api.initializeHandle = 0;
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestWinUsb(api, winusb, kPath, true, buffer.data()));
  EXPECT_TRUE(api.transfers.empty());
  EXPECT_TRUE(api.freedInterfaces.empty());
  EXPECT_EQ(api.closed.size(), 1u);
  EXPECT_THAT(log.lines, ElementsAre("WinUSB InterfaceHandle = 0"));
}

TEST_F(WinUsbBackendTest, AnInvalidInterfaceHandleReportedAsSuccessIsAFailure) {
  winusb.Load();
  api.initializeHandle = kInvalidHandleValue;
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestWinUsb(api, winusb, kPath, false, buffer.data()));
  EXPECT_TRUE(api.transfers.empty());
  EXPECT_TRUE(api.freedInterfaces.empty());
  EXPECT_EQ(api.closed.size(), 1u);
}

TEST_F(WinUsbBackendTest, TransferFailureIsLoggedAndEverythingReleased) {
  winusb.Load();
  api.transferResult = false;
  api.transferError = 31;
  api.messages[31] = "A device attached to the system is not functioning.\r\n";
  Frame buffer{};

  EXPECT_FALSE(DeviceRequestWinUsb(api, winusb, kPath, true, buffer.data()));

  EXPECT_THAT(api.freedInterfaces, ElementsAre(0x5151u));
  EXPECT_EQ(api.closed.size(), 1u);
  EXPECT_THAT(log.lines,
              ElementsAre("WinUsb_ControlTransfer : False",
                          "ERRORCODE: 31. A device attached to the system is not functioning.",
                          "WinUSB Status: False  direction: -1", HexDump(buffer)));
}

TEST_F(WinUsbBackendTest, AShortStatusReadIsAFailure) {
  winusb.Load();
  api.transferReply.assign(10, 0x11);
  api.transferred = 10;
  Frame buffer{};
  EXPECT_FALSE(DeviceRequestWinUsb(api, winusb, kPath, true, buffer.data()));
  EXPECT_EQ(log.lines.at(0), "WinUSB Status: False  direction: -1");
  EXPECT_EQ(api.freedInterfaces.size(), 1u);
}

}  // namespace
}  // namespace zr4
