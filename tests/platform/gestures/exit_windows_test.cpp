#include "platform/gestures/exit_windows.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/ports/pc_commands.h"
#include "fake_pc_api_windows.h"

namespace zr4::test {
namespace {

using Lines = std::vector<std::string>;

const OsVersion kNt4{2, 4, 0};
const OsVersion kWin95{1, 4, 0};
const OsVersion kWin98{1, 4, 10};
const OsVersion kWin10{2, 10, 0};

const Lines kPrivilege{"OpenProcessToken 40", "LookupPrivilegeValue SeShutdownPrivilege",
                       "AdjustTokenPrivileges 77 19 2", "CloseHandle 77"};

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Lines Capability(const std::string& name) {
  return {"LoadLibrary Powrprof.dll", "GetProcAddress " + name, "call", "FreeLibrary 500"};
}

struct Case {
  const char* what;
  OsVersion version;
  TPowerOperation operation;
  std::function<void(FakeWin32PcApi&)> setUp;
  const char* message;  // "" when it succeeds
  Lines calls;
};

TEST(ExitWinTest, EachSystemGetsItsChecksPrivilegeFlagsAndMessages) {
  const auto none = [](FakeWin32PcApi&) {};
  const Case cases[] = {
      {"NT 4 never asks the power library",
       kNt4,
       TPowerOperation::Suspend,
       none,
       "サスペンドは許可されていません。",
       {}},
      {"NT 4 hibernate",
       kNt4,
       TPowerOperation::Hibernate,
       none,
       "休止状態は許可されていません。",
       {}},
      {"Windows 95 suspends without checks or privilege",
       kWin95,
       TPowerOperation::Suspend,
       none,
       "",
       {"SetSystemPowerState -1 0"}},
      {"Windows 95 never hibernates",
       kWin95,
       TPowerOperation::Hibernate,
       none,
       "休止状態は許可されていません。",
       {}},
      {"Windows 98 without the power library",
       kWin98,
       TPowerOperation::Suspend,
       [](FakeWin32PcApi& api) { api.powerLibrary = false; },
       "サスペンドは許可されていません。",
       {"LoadLibrary Powrprof.dll"}},
      {"Windows 98 without the export",
       kWin98,
       TPowerOperation::Suspend,
       [](FakeWin32PcApi& api) { api.powerAnswers.clear(); },
       "サスペンドは許可されていません。",
       {"LoadLibrary Powrprof.dll", "GetProcAddress IsPwrSuspendAllowed", "FreeLibrary 500"}},
      {"Windows 98 suspends", kWin98, TPowerOperation::Suspend, none, "",
       Join({Capability("IsPwrSuspendAllowed"), {"SetSystemPowerState -1 0"}})},
      {"NT 5+ hibernates with the privilege", kWin10, TPowerOperation::Hibernate, none, "",
       Join({Capability("IsPwrHibernateAllowed"), kPrivilege, {"SetSystemPowerState 0 0"}})},
      {"suspend not allowed", kWin10, TPowerOperation::Suspend,
       [](FakeWin32PcApi& api) { api.powerAnswers["IsPwrSuspendAllowed"] = false; },
       "サスペンドは許可されていません。", Capability("IsPwrSuspendAllowed")},
      {"suspend refused", kWin10, TPowerOperation::Suspend,
       [](FakeWin32PcApi& api) { api.powerStateSucceeds = false; },
       "サスペンドに移行できませんでした。",
       Join({Capability("IsPwrSuspendAllowed"), kPrivilege, {"SetSystemPowerState -1 0"}})},
      {"hibernate refused", kWin10, TPowerOperation::Hibernate,
       [](FakeWin32PcApi& api) { api.powerStateSucceeds = false; },
       "休止状態に移行できませんでした。",
       Join({Capability("IsPwrHibernateAllowed"), kPrivilege, {"SetSystemPowerState 0 0"}})},
      {"privilege not adjusted", kWin10, TPowerOperation::Suspend,
       [](FakeWin32PcApi& api) { api.privilegeAdjusts = false; }, "特権の取得に失敗しました。",
       Join({Capability("IsPwrSuspendAllowed"), kPrivilege})},
      {"token not opened",
       kWin10,
       TPowerOperation::PowerOff,
       [](FakeWin32PcApi& api) { api.tokenOpens = false; },
       "特権の取得に失敗しました。",
       {"OpenProcessToken 40"}},
      {"privilege not found",
       kWin10,
       TPowerOperation::Reboot,
       [](FakeWin32PcApi& api) { api.privilegeFound = false; },
       "特権の取得に失敗しました。",
       {"OpenProcessToken 40", "LookupPrivilegeValue SeShutdownPrivilege", "CloseHandle 77"}},
      {"NT power off", kWin10, TPowerOperation::PowerOff, none, "",
       Join({kPrivilege, {"ExitWindowsEx 9 0"}})},
      {"Windows 98 power off without privilege",
       kWin98,
       TPowerOperation::PowerOff,
       none,
       "",
       {"ExitWindowsEx 9 0"}},
      {"power off refused", kWin10, TPowerOperation::PowerOff,
       [](FakeWin32PcApi& api) { api.exitSucceeds = false; },
       "コンピュータの電源を切ることができませんでした。",
       Join({kPrivilege, {"ExitWindowsEx 9 0"}})},
      {"reboot refused",
       kWin98,
       TPowerOperation::Reboot,
       [](FakeWin32PcApi& api) { api.exitSucceeds = false; },
       "Windows を再起動できませんでした。",
       {"ExitWindowsEx 2 0"}},
      {"NT log off", kWin10, TPowerOperation::LogOff, none, "", {"ExitWindowsEx 0 0"}},
      {"log off refused",
       kWin10,
       TPowerOperation::LogOff,
       [](FakeWin32PcApi& api) { api.exitSucceeds = false; },
       "Windows をログオフできませんでした。",
       {"ExitWindowsEx 0 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWin32PcApi api;
    api.version = c.version;
    c.setUp(api);
    int closes = 0;
    TExitWin exitWin(api, [&closes] { ++closes; });
    std::string message;
    try {
      exitWin.Run(c.operation);
    } catch (const EPcCommandError& error) {
      message = error.what();
    }
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(api.Take(), c.calls);
    EXPECT_EQ(closes, 0);
  }
}

TEST(ExitWinTest, LogOffOnTheWindows95FamilyClosesTheWindowAndRestartsOldShells) {
  FakeWin32PcApi api;
  api.version = kWin98;
  api.shellVersionMS = 0x00040048;  // 4.72
  int closes = 0;
  TExitWin exitWin(api, [&closes] {
    ++closes;
    throw std::runtime_error("closing failed");  // swallowed
  });
  exitWin.LogOff();
  EXPECT_EQ(api.Take(), Lines{"ExitWindowsEx 0 0"});
  EXPECT_EQ(closes, 1);

  api.version = kWin95;
  api.shellVersionMS = 0x00040047;  // 4.71
  api.progmanPresence = {false, true, true, true, false};
  TExitWin oldShell(api, [&closes] { ++closes; });
  oldShell.LogOff();
  EXPECT_EQ(api.Take(),
            (Lines{"ExitWindowsEx 0 0", "FindWindow Progman", "Sleep 500", "FindWindow Progman",
                   "FindWindow Progman", "PostMessage 30 18 0 0", "FindWindow Progman", "Sleep 500",
                   "FindWindow Progman", "ShellExecute open explorer.exe [] [] 5"}));
  EXPECT_EQ(closes, 2);
}

TEST(ExitWinTest, ShellVersionReadAsADecimalNumber) {
  struct ShellCase {
    std::uint32_t versionMS;
    std::uint32_t resource;
    bool readable;
    bool atLeast472;
  };
  const ShellCase cases[] = {{0x00040047, 64, true, false},  {0x00040048, 64, true, true},
                             {0x00050000, 64, true, true},   {0x00040008, 64, true, true},
                             {0x00040064, 64, true, false},  {0x00060000, 0, true, false},
                             {0x00060000, 64, false, false}, {0x00030063, 64, true, false}};
  for (const ShellCase& c : cases) {
    SCOPED_TRACE(c.versionMS);
    FakeWin32PcApi api;
    api.shellVersionMS = c.versionMS;
    api.shellResource = c.resource;
    api.shellRootReadable = c.readable;
    EXPECT_EQ(TExitWin(api, nullptr).ShellIsAtLeast472(), c.atLeast472);
  }
}

}  // namespace
}  // namespace zr4::test
