// The Win32 calls of the notification-area icon as the system provides them.
#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/base/utf8_windows.h"
#include "platform/tray/notify_icon_api_windows.h"

namespace zr4 {

namespace {

// What a window created here carries in its user data: the procedure its messages go to.
struct WindowState {
  Win32TrayApi::WindowProcedure procedure;
};

LRESULT CALLBACK HiddenWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<WindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY && state != nullptr) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete state;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  if (state != nullptr && state->procedure) {
    if (const std::optional<std::intptr_t> result =
            state->procedure(message, wparam, static_cast<std::intptr_t>(lparam)))
      return static_cast<LRESULT>(*result);
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// `text` into a fixed field of the record, cut to leave room for the terminator.
template <std::size_t N>
void CopyCut(const std::string& text, wchar_t (&field)[N]) {
  const std::wstring wide = Widen(text);
  std::copy_n(wide.begin(), std::min(wide.size(), N - 1), field);
}

class SystemTrayApi : public Win32TrayApi {
 public:
  std::uint32_t RegisterWindowMessageA(const std::string& name) override {
    return ::RegisterWindowMessageA(name.c_str());
  }

  std::uintptr_t CreateHiddenWindow(const std::string& windowClass,
                                    WindowProcedure procedure) override {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring className = Widen(windowClass);
    WNDCLASSEXW record{};
    record.cbSize = sizeof record;
    record.lpfnWndProc = &HiddenWindowProcedure;
    record.hInstance = instance;
    record.lpszClassName = className.c_str();
    if (RegisterClassExW(&record) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return 0;
    auto state = std::make_unique<WindowState>(WindowState{std::move(procedure)});
    // Top-level, never shown: a message-only window would not hear "TaskbarCreated".
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, className.c_str(), L"", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, state.get());
    if (window == nullptr) return 0;
    state.release();  // freed with the window (WM_NCDESTROY)
    return reinterpret_cast<std::uintptr_t>(window);
  }

  void DestroyWindow(std::uintptr_t window) override {
    ::DestroyWindow(reinterpret_cast<HWND>(window));
  }

  bool ShellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = reinterpret_cast<HWND>(record.window);
    data.uID = record.id;
    data.uFlags = record.flags;
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.icon);
    CopyCut(record.tip, data.szTip);
    CopyCut(record.infoTitle, data.szInfoTitle);
    CopyCut(record.info, data.szInfo);
    data.dwInfoFlags = record.infoFlags;
    return Shell_NotifyIconW(message, &data) != FALSE;
  }
};

}  // namespace

Win32TrayApi& SystemWin32TrayApi() {
  static SystemTrayApi api;
  return api;
}

}  // namespace zr4
