// The Win32 calls of the notification-area icon, behind an interface with portable types, so
// that the icon's records and its handling of the window's messages are the same code on every
// platform and can be checked against a recording fake. The system implementation lives in
// notify_icon_api_windows.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zr4 {

// Values of the Win32 ABI passed through the interface.
constexpr std::uint32_t kNimAdd = 0;
constexpr std::uint32_t kNimModify = 1;
constexpr std::uint32_t kNimDelete = 2;
constexpr std::uint32_t kNifMessage = 1;
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;
constexpr std::uint32_t kNifInfo = 0x10;  // the record carries a balloon
constexpr std::uint32_t kNiifInfo = 1;    // the balloon's "information" icon
// What the icon's callback message carries about its balloon (WM_USER + 3, + 4, + 5).
constexpr std::uint32_t kNinBalloonHide = 0x403;
constexpr std::uint32_t kNinBalloonTimeout = 0x404;
constexpr std::uint32_t kNinBalloonUserClick = 0x405;
constexpr std::uint32_t kWmMouseMove = 0x200;
constexpr std::uint32_t kWmLButtonDown = 0x201;
constexpr std::uint32_t kWmLButtonUp = 0x202;
constexpr std::uint32_t kWmLButtonDblClk = 0x203;
constexpr std::uint32_t kWmRButtonDown = 0x204;
constexpr std::uint32_t kWmRButtonUp = 0x205;
constexpr std::uint32_t kWmRButtonDblClk = 0x206;
constexpr std::uint32_t kWmMButtonDown = 0x207;
constexpr std::uint32_t kWmMButtonUp = 0x208;
constexpr std::uint32_t kWmMButtonDblClk = 0x209;

// The fields of NOTIFYICONDATA the icon fills. The texts are UTF-8 here; the system
// implementation hands them on in UTF-16, cut to the record's sizes (tip 127 characters,
// balloon title 63, balloon text 255).
struct NotifyIconRecord {
  std::uintptr_t window = 0;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  std::uintptr_t icon = 0;  // HICON
  std::string tip;
  // With kNifInfo: the balloon.
  std::string infoTitle{};
  std::string info{};
  std::uint32_t infoFlags = 0;

  bool operator==(const NotifyIconRecord&) const = default;
};

class Win32TrayApi {
 public:
  // A window message's handler: the message's result, or nothing for the default handling.
  using WindowProcedure =
      std::function<std::optional<std::intptr_t>(std::uint32_t, std::uintptr_t, std::intptr_t)>;

  virtual ~Win32TrayApi() = default;

  virtual std::uint32_t RegisterWindowMessageA(const std::string& name) = 0;
  // A hidden top-level window of a class of its own (top-level, so that it also hears what is
  // broadcast to every program); 0 when it cannot be created. Its messages go to `procedure`.
  virtual std::uintptr_t CreateHiddenWindow(const std::string& windowClass,
                                            WindowProcedure procedure) = 0;
  virtual void DestroyWindow(std::uintptr_t window) = 0;
  virtual bool ShellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) = 0;
};

// The process-wide system implementation (Windows only).
Win32TrayApi& SystemWin32TrayApi();

}  // namespace zr4
