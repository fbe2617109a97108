// The controller's icon in the Windows notification area, kept by the program itself: a
// hidden window of its own receives the icon's mouse messages (all six clicks, double clicks
// of every button included) and the taskbar's restart, after which a shown icon is added again.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/tray/tray_clicks.h"
#include "platform/tray/notify_icon_api_windows.h"

namespace zr4 {

constexpr const char* kNotifyIconWindowClass = "TZR4CtrlTrayIcon";
constexpr std::uint32_t kNotifyIconId = 1;
// The icon's callback message: the first message number for applications (WM_USER) plus 100.
constexpr std::uint32_t kNotifyIconMessage = 0x400 + 100;
constexpr const char* kTaskbarCreated = "TaskbarCreated";

class WindowsNotifyIcon {
 public:
  // The icon's mouse messages, by button: press, release and double click.
  struct Handlers {
    std::function<void(TTrayButton)> buttonDown;
    std::function<void(TTrayButton)> buttonUp;
    std::function<void(TTrayButton)> doubleClick;
  };

  WindowsNotifyIcon(Win32TrayApi& api, Handlers handlers,
                    const std::string& windowClass = kNotifyIconWindowClass);
  // Takes a shown icon away.
  ~WindowsNotifyIcon();
  WindowsNotifyIcon(const WindowsNotifyIcon&) = delete;
  WindowsNotifyIcon& operator=(const WindowsNotifyIcon&) = delete;

  bool Created() const { return window_ != 0; }

  // Adds the icon, or changes what differs of a shown one: its image (an HICON the caller
  // keeps until it is replaced or the icon is hidden), its tip, or both.
  void Show(std::uintptr_t icon, const std::string& tip);
  void Hide();
  bool Shown() const { return shown_; }
  // A balloon at the icon with this title and text. An icon not shown is added for the
  // balloon's time (with this image, the title as its tip) and taken away when the balloon
  // goes; Show makes it the shown icon. False without the icon's window, or when the shell
  // refused it.
  bool ShowBalloon(std::uintptr_t icon, const std::string& title, const std::string& text);
  const std::string& Tip() const { return tip_; }

  // A message of the icon's window.
  std::optional<std::intptr_t> OnMessage(std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam);

 private:
  NotifyIconRecord Record(std::uint32_t flags) const;
  void Add();
  void MouseMessage(std::uint32_t mouse);
  void Delete();

  Win32TrayApi& api_;
  Handlers handlers_;
  std::uint32_t taskbarCreated_ = 0;
  std::uintptr_t window_ = 0;
  bool shown_ = false;
  // Added only for a balloon, not shown as far as the program is concerned.
  bool balloonOnly_ = false;
  std::uintptr_t icon_ = 0;
  std::string tip_;
};

}  // namespace zr4
