// One running controller per user session on Windows: a named mutex marks the running instance,
// and a hidden top-level window of the controller's class receives what a second start hands
// over (its parameters as a WM_COPYDATA record, or a request to come to the front).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zr4 {

constexpr const char* kInstanceMutexName = "ZR4PC_CTRL";
constexpr const char* kMainWindowClass = "TZR4CtrlMainForm";
constexpr DWORD kForwardedBufferSize = 256;

// The named mutex, held from the first start to the end of the process.
class InstanceMutex {
 public:
  explicit InstanceMutex(const std::string& name = kInstanceMutexName);
  ~InstanceMutex();
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;

  // True when another process held the mutex already; this object then holds nothing.
  bool AnotherInstanceRuns() const { return another_; }

 private:
  HANDLE handle_ = nullptr;
  bool another_ = false;
};

// The 256-byte record a second start sends: its parameters joined by ",", cut to 255 bytes and
// ended by a zero byte.
std::vector<char> BuildForwardedBuffer(const std::vector<std::string>& params);

// A second start: with parameters, sends them to the running instance's window and waits until
// they were handled; without, asks that window to restore the controller and bring it to the
// front. Returns false when no window of the class exists (the second start then ends silently).
bool ForwardToRunningInstance(const std::vector<std::string>& params,
                              const std::string& windowClass = kMainWindowClass);

// A later start's question (--status) and the instance's answer travel as WM_COPYDATA records
// marked with this number in dwData (a forwarded command line is the 256-byte record whose
// dwData nobody reads). The question holds a request of the instance protocol, "ZR4PC/1
// STATUS\n" or "ZR4PC/1 STATUS-JSON\n", and names the asking window in wParam; the answer, the
// status line in UTF-8, comes back to that window while the question is still being sent.
constexpr ULONG_PTR kStatusRecordMark = 0x5A523453;  // "ZR4S"
// How long the instance tries to hand its answer to an asker that stopped reading.
constexpr UINT kStatusAnswerTimeoutMs = 5000;

struct StatusAnswer {
  enum class Outcome {
    NoInstance,  // no window of the class exists
    NoAnswer,    // the instance did not answer (it is still starting, or it is an older program)
    TimedOut,    // no answer within the time: the instance is stopped or hung
    Answered,
  };
  Outcome outcome = Outcome::NoInstance;
  std::string line;  // when Answered
};

// A later start's --status: asks the running instance for what its window shows, waiting at
// most `timeoutMs`.
StatusAnswer AskRunningInstance(bool json, UINT timeoutMs,
                                const std::string& windowClass = kMainWindowClass);

// The hidden top-level window a second start finds by its class. It lives on the thread that
// runs the program's message loop. Being a top-level window, it also receives what the system
// broadcasts to every program: power events and the end of the session. (The tray icon's own
// window hears the taskbar's restart.)
class InstanceWindow {
 public:
  // Each handler may be left empty; the message then gets the system's default handling.
  struct Handlers {
    std::function<void(const std::string& text)> forwarded;  // parameters of a second start
    std::function<void()> restore;  // restore the controller window and bring it to the front
    // A later start's --status: the status line (JSON when asked), or nothing to leave it
    // unanswered.
    std::function<std::optional<std::string>(bool json)> status;
    // WM_POWERBROADCAST: every event code is handed on (4 suspend, 7 and 18 resume, ...).
    std::function<void(int event)> powerBroadcast;
    // WM_QUERYENDSESSION: returns whether the session may end.
    std::function<bool()> queryEndSession;
  };

  explicit InstanceWindow(Handlers handlers, const std::string& windowClass = kMainWindowClass);
  ~InstanceWindow();
  InstanceWindow(const InstanceWindow&) = delete;
  InstanceWindow& operator=(const InstanceWindow&) = delete;

  bool Created() const { return window_ != nullptr; }
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT AnswerStatus(HWND asker, const COPYDATASTRUCT& question);

  Handlers handlers_;
  std::string className_;
  HWND window_ = nullptr;
};

}  // namespace zr4
