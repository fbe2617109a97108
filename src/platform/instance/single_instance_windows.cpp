#include "platform/instance/single_instance_windows.h"

#include <algorithm>

#include "core/instance/forwarding.h"
#include "core/instance/instance_protocol.h"

namespace zr4 {

InstanceMutex::InstanceMutex(const std::string& name) {
  if (HANDLE existing = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str())) {
    CloseHandle(existing);
    another_ = true;
    return;
  }
  handle_ = CreateMutexA(nullptr, FALSE, name.c_str());
  // Two starts at the same moment: both failed to open, only one created.
  if (handle_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle_);
    handle_ = nullptr;
    another_ = true;
  }
}

InstanceMutex::~InstanceMutex() {
  if (handle_ != nullptr) CloseHandle(handle_);
}

std::vector<char> BuildForwardedBuffer(const std::vector<std::string>& params) {
  std::vector<char> buffer(kForwardedBufferSize, '\0');
  const std::string text = BuildForwardedText(params);
  std::copy_n(text.begin(), std::min<std::size_t>(text.size(), kForwardedBufferSize - 1),
              buffer.begin());
  return buffer;
}

bool ForwardToRunningInstance(const std::vector<std::string>& params,
                              const std::string& windowClass) {
  HWND window = FindWindowA(windowClass.c_str(), nullptr);
  if (window == nullptr) return false;
  if (params.empty()) {
    // The running instance may take the foreground only because this start allows it.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    return true;
  }
  std::vector<char> buffer = BuildForwardedBuffer(params);
  COPYDATASTRUCT record{};
  record.dwData = 0;
  record.cbData = kForwardedBufferSize;
  record.lpData = buffer.data();
  SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
  return true;
}

namespace {
constexpr const char* kAskerWindowClass = "TZR4CtrlStatusAsker";

// The asking side's window: takes the answer that arrives while the question is being sent.
LRESULT CALLBACK AskerProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* answer = reinterpret_cast<StatusAnswer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
  if (message != WM_COPYDATA || answer == nullptr || record == nullptr ||
      record->dwData != kStatusRecordMark || record->cbData > kInstanceReplyMax ||
      (record->cbData > 0 && record->lpData == nullptr))
    return DefWindowProcA(window, message, wparam, lparam);
  answer->outcome = StatusAnswer::Outcome::Answered;
  answer->line.assign(static_cast<const char*>(record->lpData), record->cbData);
  return TRUE;
}
}  // namespace

StatusAnswer AskRunningInstance(bool json, UINT timeoutMs, const std::string& windowClass) {
  StatusAnswer answer;
  HWND instance = FindWindowA(windowClass.c_str(), nullptr);
  if (instance == nullptr) return answer;
  answer.outcome = StatusAnswer::Outcome::NoAnswer;

  HINSTANCE module = GetModuleHandleA(nullptr);
  WNDCLASSEXA askerClass{};
  askerClass.cbSize = sizeof askerClass;
  askerClass.lpfnWndProc = &AskerProcedure;
  askerClass.hInstance = module;
  askerClass.lpszClassName = kAskerWindowClass;
  RegisterClassExA(&askerClass);
  // Message-only: the instance is handed its handle and needs to find nothing.
  HWND asker = CreateWindowExA(0, kAskerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               module, &answer);
  if (asker == nullptr) return answer;

  std::string question =
      EncodeInstanceRequest({json ? InstanceVerb::StatusJson : InstanceVerb::Status, {}});
  COPYDATASTRUCT record{};
  record.dwData = kStatusRecordMark;
  record.cbData = static_cast<DWORD>(question.size());
  record.lpData = question.data();
  DWORD_PTR result = FALSE;
  // While this waits, the answer sent back to `asker` is handled on this thread.
  if (SendMessageTimeoutA(instance, WM_COPYDATA, reinterpret_cast<WPARAM>(asker),
                          reinterpret_cast<LPARAM>(&record), SMTO_ABORTIFHUNG, timeoutMs,
                          &result) == 0 &&
      answer.outcome != StatusAnswer::Outcome::Answered && GetLastError() == ERROR_TIMEOUT)
    answer.outcome = StatusAnswer::Outcome::TimedOut;
  DestroyWindow(asker);
  return answer;
}

InstanceWindow::InstanceWindow(Handlers handlers, const std::string& windowClass)
    : handlers_(std::move(handlers)), className_(windowClass) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClassRecord{};
  windowClassRecord.cbSize = sizeof windowClassRecord;
  windowClassRecord.lpfnWndProc = &InstanceWindow::Procedure;
  windowClassRecord.hInstance = instance;
  windowClassRecord.lpszClassName = className_.c_str();
  if (RegisterClassExA(&windowClassRecord) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return;
  }
  // Top-level rather than message-only: a second start must find it with FindWindow.
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, className_.c_str(), "ZR4PCCtrl", WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, instance, this);
}

InstanceWindow::~InstanceWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  UnregisterClassA(className_.c_str(), GetModuleHandleA(nullptr));
}

LRESULT CALLBACK InstanceWindow::Procedure(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<InstanceWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && self->window_ == window) return self->OnMessage(message, wparam, lparam);
  return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT InstanceWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COPYDATA: {
      const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
      if (record == nullptr || record->lpData == nullptr) return FALSE;
      if (record->dwData == kStatusRecordMark && record->cbData != kForwardedBufferSize)
        return AnswerStatus(reinterpret_cast<HWND>(wparam), *record);
      const std::string text =
          ReceiveForwardedText(static_cast<const char*>(record->lpData), record->cbData);
      if (handlers_.forwarded) handlers_.forwarded(text);
      return TRUE;
    }
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_RESTORE) {
        // The window itself stays hidden; the controller window is what the user sees.
        if (handlers_.restore) handlers_.restore();
        return 0;
      }
      break;
    case WM_POWERBROADCAST:
      if (handlers_.powerBroadcast) {
        handlers_.powerBroadcast(static_cast<int>(wparam));
        return TRUE;  // also grants a query to suspend, as the default handling does
      }
      break;
    case WM_QUERYENDSESSION:
      if (handlers_.queryEndSession) return handlers_.queryEndSession() ? TRUE : FALSE;
      break;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wparam, lparam);
}

LRESULT InstanceWindow::AnswerStatus(HWND asker, const COPYDATASTRUCT& question) {
  const InstanceDecode decoded = DecodeInstanceRequest(
      std::string_view(static_cast<const char*>(question.lpData), question.cbData));
  const InstanceVerb verb = decoded.request.verb;
  if (decoded.state != InstanceDecode::State::Complete || !handlers_.status ||
      (verb != InstanceVerb::Status && verb != InstanceVerb::StatusJson) || !IsWindow(asker))
    return FALSE;
  std::optional<std::string> line = handlers_.status(verb == InstanceVerb::StatusJson);
  if (!line) return FALSE;
  COPYDATASTRUCT answer{};
  answer.dwData = kStatusRecordMark;
  answer.cbData = static_cast<DWORD>(line->size());
  answer.lpData = line->data();
  DWORD_PTR result = FALSE;
  // An asker that gave up meanwhile must not hold up the program.
  SendMessageTimeoutA(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(window_),
                      reinterpret_cast<LPARAM>(&answer), SMTO_ABORTIFHUNG, kStatusAnswerTimeoutMs,
                      &result);
  return TRUE;
}

}  // namespace zr4
