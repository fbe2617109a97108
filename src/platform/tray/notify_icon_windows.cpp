#include "platform/tray/notify_icon_windows.h"

namespace zr4 {

WindowsNotifyIcon::WindowsNotifyIcon(Win32TrayApi& api, Handlers handlers,
                                     const std::string& windowClass)
    : api_(api),
      handlers_(std::move(handlers)),
      taskbarCreated_(api.RegisterWindowMessageA(kTaskbarCreated)) {
  window_ = api_.CreateHiddenWindow(
      windowClass, [this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        return OnMessage(message, wParam, lParam);
      });
}

WindowsNotifyIcon::~WindowsNotifyIcon() {
  Hide();
  if (window_ != 0) api_.DestroyWindow(window_);
}

NotifyIconRecord WindowsNotifyIcon::Record(std::uint32_t flags) const {
  return {window_, kNotifyIconId, flags, kNotifyIconMessage, icon_, tip_};
}

void WindowsNotifyIcon::Add() {
  api_.ShellNotifyIcon(kNimAdd, Record(kNifMessage | kNifIcon | kNifTip));
}

void WindowsNotifyIcon::Show(std::uintptr_t icon, const std::string& tip) {
  // Without its window the icon's clicks would go nowhere.
  if (window_ == 0) return;
  std::uint32_t changed = 0;
  if (icon != icon_) changed |= kNifIcon;
  if (tip != tip_) changed |= kNifTip;
  icon_ = icon;
  tip_ = tip;
  if (balloonOnly_) {
    // Already in the notification area: adding it again would fail.
    balloonOnly_ = false;
    shown_ = true;
    api_.ShellNotifyIcon(kNimModify, Record(kNifMessage | kNifIcon | kNifTip));
  } else if (!shown_) {
    shown_ = true;
    Add();
  } else if (changed != 0) {
    api_.ShellNotifyIcon(kNimModify, Record(changed));
  }
}

void WindowsNotifyIcon::Hide() {
  if (!shown_ && !balloonOnly_) return;
  Delete();
}

void WindowsNotifyIcon::Delete() {
  shown_ = false;
  balloonOnly_ = false;
  api_.ShellNotifyIcon(kNimDelete, Record(0));
  icon_ = 0;
}

bool WindowsNotifyIcon::ShowBalloon(std::uintptr_t icon, const std::string& title,
                                    const std::string& text) {
  if (window_ == 0) return false;
  // A balloon belongs to an icon in the notification area: without one, one comes for it.
  const bool adding = !shown_ && !balloonOnly_;
  if (adding) {
    icon_ = icon;
    tip_ = title;
  }
  NotifyIconRecord record = Record(adding ? kNifMessage | kNifIcon | kNifTip | kNifInfo : kNifInfo);
  record.infoTitle = title;
  record.info = text;
  record.infoFlags = kNiifInfo;
  if (!api_.ShellNotifyIcon(adding ? kNimAdd : kNimModify, record)) {
    if (adding) icon_ = 0;
    return false;
  }
  if (adding) balloonOnly_ = true;
  return true;
}

std::optional<std::intptr_t> WindowsNotifyIcon::OnMessage(std::uint32_t message,
                                                          std::uintptr_t wParam,
                                                          std::intptr_t lParam) {
  // A registered message has no fixed number. The restarted taskbar has lost every icon; the
  // delete first, in case this one survived, so that the add cannot fail for it.
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    // A balloon's icon went with the old taskbar, and its balloon with it.
    balloonOnly_ = false;
    if (shown_) {
      api_.ShellNotifyIcon(kNimDelete, Record(0));
      Add();
    }
    return std::nullopt;
  }
  if (message != kNotifyIconMessage || wParam != kNotifyIconId) return std::nullopt;
  // The mouse message is the low word (the whole value for icons of the first version).
  MouseMessage(static_cast<std::uint32_t>(lParam) & 0xFFFF);
  return 0;
}

void WindowsNotifyIcon::MouseMessage(std::uint32_t mouse) {
  if (mouse == kNinBalloonHide || mouse == kNinBalloonTimeout || mouse == kNinBalloonUserClick) {
    if (balloonOnly_) Delete();
    return;
  }
  struct Mapping {
    std::uint32_t message;
    TTrayButton button;
    std::function<void(TTrayButton)> Handlers::*handler;
  };
  static const Mapping kMappings[] = {
      {kWmLButtonDown, TTrayButton::Left, &Handlers::buttonDown},
      {kWmLButtonUp, TTrayButton::Left, &Handlers::buttonUp},
      {kWmLButtonDblClk, TTrayButton::Left, &Handlers::doubleClick},
      {kWmRButtonDown, TTrayButton::Right, &Handlers::buttonDown},
      {kWmRButtonUp, TTrayButton::Right, &Handlers::buttonUp},
      {kWmRButtonDblClk, TTrayButton::Right, &Handlers::doubleClick},
      {kWmMButtonDown, TTrayButton::Middle, &Handlers::buttonDown},
      {kWmMButtonUp, TTrayButton::Middle, &Handlers::buttonUp},
      {kWmMButtonDblClk, TTrayButton::Middle, &Handlers::doubleClick},
  };
  for (const Mapping& mapping : kMappings) {
    if (mapping.message != mouse) continue;
    if (const auto& handler = handlers_.*mapping.handler) handler(mapping.button);
    return;
  }
}

}  // namespace zr4
