// Diagnostics reach the debugger's output stream. The test listens the way a debug viewer does
// when no debugger is attached: through the shared "DBWIN" buffer and its two events.
#include "platform/base/debugger_log_windows.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zr4 {
namespace {

constexpr DWORD kBufferSize = 4096;
constexpr DWORD kWaitLimitMs = 5000;  // a bound for a lost message, not a pause

class DebugViewer {
 public:
  DebugViewer()
      : bufferReady_(CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY")),
        dataReady_(CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY")),
        mapping_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBufferSize,
                                    "DBWIN_BUFFER")),
        view_(mapping_ ? MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, kBufferSize) : nullptr) {}
  ~DebugViewer() {
    if (view_) UnmapViewOfFile(view_);
    for (HANDLE handle : {mapping_, dataReady_, bufferReady_})
      if (handle) CloseHandle(handle);
  }

  bool Ready() const { return bufferReady_ && dataReady_ && view_; }

  // Lets one message in and returns its sender's process id and text.
  void Expect() { SetEvent(bufferReady_); }
  bool Received(DWORD& process, std::string& text) {
    if (WaitForSingleObject(dataReady_, kWaitLimitMs) != WAIT_OBJECT_0) return false;
    const char* bytes = static_cast<const char*>(view_);
    std::memcpy(&process, bytes, sizeof process);
    text.assign(bytes + sizeof process, strnlen(bytes + sizeof process, kBufferSize - 4));
    return true;
  }

 private:
  HANDLE bufferReady_;
  HANDLE dataReady_;
  HANDLE mapping_;
  void* view_;
};

TEST(DebuggerLog, EachLineReachesTheDebuggerStreamWithItsLineEnd) {
  DebugViewer viewer;
  ASSERT_TRUE(viewer.Ready());

  for (const std::string line : {"WMPowerBroadcast: 12", "CONTROL: WinUSB"}) {
    viewer.Expect();
    LogToDebugger(line);
    DWORD process = 0;
    std::string text;
    ASSERT_TRUE(viewer.Received(process, text)) << line;
    EXPECT_EQ(process, GetCurrentProcessId());
    EXPECT_EQ(text, line + "\n");
  }
}

}  // namespace
}  // namespace zr4
