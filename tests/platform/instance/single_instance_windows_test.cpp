#include "platform/instance/single_instance_windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace zr4 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kSecondStartForwarded = 0;
constexpr int kSecondStartNoWindow = 2;
constexpr int kSecondStartIsFirst = 3;
constexpr DWORD kSecondStartLimitMs = 30000;  // a bound for a hung child, not a pause

std::string HelperPath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self(path, length);
  return self.substr(0, self.find_last_of("\\/") + 1) + "second_start_windows.exe";
}

// Runs a second start in its own process while this thread goes on handling window messages,
// as the running program's message loop does. Returns the child's exit code.
int RunSecondStart(const std::vector<std::string>& args) {
  std::string command = "\"" + HelperPath() + "\"";
  for (const std::string& arg : args) command += " \"" + arg + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "cannot start " << command << ": " << GetLastError();
    return -1;
  }
  const DWORD started = GetTickCount();
  for (;;) {
    const DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1000, QS_ALLINPUT);
    if (wait == WAIT_OBJECT_0) break;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (GetTickCount() - started > kSecondStartLimitMs) {
      TerminateProcess(process.hProcess, 99);
      ADD_FAILURE() << "second start did not end";
      break;
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

// One running instance with names of its own, so that tests never meet a real program.
class SingleInstanceWindowsTest : public ::testing::Test {
 protected:
  SingleInstanceWindowsTest() {
    const std::string unique = std::to_string(GetCurrentProcessId()) + "_" +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    mutexName = "ZR4PC_CTRL_TEST_" + unique;
    className = "TZR4CtrlMainForm_" + unique;
  }

  InstanceWindow::Handlers Recording() {
    InstanceWindow::Handlers handlers;
    handlers.forwarded = [this](const std::string& text) { forwarded.push_back(text); };
    handlers.restore = [this] { ++restores; };
    return handlers;
  }

  std::string mutexName;
  std::string className;
  std::vector<std::string> forwarded;
  int restores = 0;
};

TEST_F(SingleInstanceWindowsTest, ParametersReachTheRunningInstanceAsOneCommaText) {
  InstanceMutex first(mutexName);
  ASSERT_FALSE(first.AnotherInstanceRuns());
  InstanceWindow window(Recording(), className);
  ASSERT_TRUE(window.Created());

  // A comma inside a parameter cannot be told from a separator.
  EXPECT_EQ(RunSecondStart({mutexName, className, "-INPUT", "CD,-VOL 20"}), kSecondStartForwarded);
  EXPECT_THAT(forwarded, ElementsAre("-INPUT,CD,-VOL 20"));
  EXPECT_EQ(restores, 0);
}

TEST_F(SingleInstanceWindowsTest, AStartWithoutParametersRestoresTheRunningInstance) {
  InstanceMutex first(mutexName);
  InstanceWindow window(Recording(), className);

  EXPECT_EQ(RunSecondStart({mutexName, className}), kSecondStartForwarded);
  EXPECT_EQ(restores, 1);
  EXPECT_THAT(forwarded, IsEmpty());
}

TEST_F(SingleInstanceWindowsTest, LongCommandLinesArriveCutTo255Bytes) {
  InstanceMutex first(mutexName);
  InstanceWindow window(Recording(), className);

  EXPECT_EQ(RunSecondStart({mutexName, className, std::string(200, 'a'), std::string(200, 'b')}),
            kSecondStartForwarded);
  ASSERT_EQ(forwarded.size(), 1u);
  EXPECT_EQ(forwarded[0], std::string(200, 'a') + "," + std::string(54, 'b'));
}

TEST_F(SingleInstanceWindowsTest, AnInstanceWithoutWindowIsLeftAlone) {
  InstanceMutex first(mutexName);
  EXPECT_EQ(RunSecondStart({mutexName, className, "-ON"}), kSecondStartNoWindow);
}

TEST_F(SingleInstanceWindowsTest, TheMutexMarksTheInstanceOnlyWhileItIsHeld) {
  {
    InstanceMutex first(mutexName);
    InstanceMutex again(mutexName);
    EXPECT_TRUE(again.AnotherInstanceRuns());
  }
  EXPECT_EQ(RunSecondStart({mutexName, className, "-ON"}), kSecondStartIsFirst);
}

TEST_F(SingleInstanceWindowsTest, TheWindowNeverReadsPastTheRecord) {
  InstanceWindow window(Recording(), className);
  char unterminated[] = {'-', 'O', 'N', 'X', 'X'};
  COPYDATASTRUCT record{};
  record.cbData = 3;
  record.lpData = unterminated;
  EXPECT_EQ(SendMessageA(window.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)), TRUE);

  record.cbData = kForwardedBufferSize;
  record.lpData = nullptr;
  EXPECT_EQ(SendMessageA(window.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)),
            FALSE);
  EXPECT_THAT(forwarded, ElementsAre("-ON"));
}

std::string ReadFile(const std::string& path) {
  std::string text;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char chunk[512];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
      text.append(chunk, got);
    std::fclose(file);
  }
  return text;
}

// --status from a later start: the running window answers with what it shows, in UTF-8 as it
// is; an instance that cannot answer yet leaves the asker to read the component itself.
TEST_F(SingleInstanceWindowsTest, ALaterStartAsksTheRunningInstanceForItsStatus) {
  InstanceMutex first(mutexName);
  std::vector<bool> asked;
  bool answering = true;
  InstanceWindow::Handlers handlers = Recording();
  handlers.status = [&](bool json) -> std::optional<std::string> {
    asked.push_back(json);
    if (!answering) return std::nullopt;
    return json ? std::string(R"({"input":"FM"})")
                : std::string("FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl - 朝のラジオ");
  };
  InstanceWindow window(std::move(handlers), className);
  const std::string answerFile = "status-answer-" + std::to_string(GetCurrentProcessId()) + ".txt";

  EXPECT_EQ(RunSecondStart({mutexName, className, "--status", answerFile}), 0);
  EXPECT_EQ(ReadFile(answerFile), "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl - 朝のラジオ");
  EXPECT_EQ(RunSecondStart({mutexName, className, "--status-json", answerFile}), 0);
  EXPECT_EQ(ReadFile(answerFile), R"({"input":"FM"})");
  answering = false;
  EXPECT_EQ(RunSecondStart({mutexName, className, "--status", answerFile}), 4);
  DeleteFileA(answerFile.c_str());

  EXPECT_EQ(asked, (std::vector<bool>{false, true, false}));
  EXPECT_THAT(forwarded, IsEmpty());
  // A forwarded command line is the 256-byte record, whatever its dwData holds.
  std::vector<char> buffer = BuildForwardedBuffer({"-ON"});
  COPYDATASTRUCT record{kStatusRecordMark, kForwardedBufferSize, buffer.data()};
  SendMessageA(window.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
  EXPECT_THAT(forwarded, ElementsAre("-ON"));
  EXPECT_EQ(asked.size(), 3u);
}

TEST(ForwardedBuffer, HoldsTheJoinedTextAndAlwaysEndsWithZero) {
  const std::vector<char> buffer = BuildForwardedBuffer({"-VOL", "20"});
  ASSERT_EQ(buffer.size(), 256u);
  EXPECT_EQ(std::string(buffer.data()), "-VOL,20");

  const std::vector<char> full = BuildForwardedBuffer({std::string(400, 'x')});
  ASSERT_EQ(full.size(), 256u);
  EXPECT_EQ(full[255], '\0');
  EXPECT_EQ(std::string(full.data()), std::string(255, 'x'));
}

}  // namespace
}  // namespace zr4
