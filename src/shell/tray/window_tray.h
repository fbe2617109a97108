// The window's ways into and out of the desktop's notification area, over the program's tray
// icon: the icon shown with its tip and menu, the window hidden in it and restored from it, and
// the application's icon, which the tray shows too.
#pragma once

#include <QWidget>
#include <string>

#include "core/tray/tray_view.h"
#include "platform/tray/tray_icon.h"
#include "shell/tray/tray_menu.h"

namespace zr4 {

class TController;

class WindowTray : public TrayView {
 public:
  // The application's icon files come from `iconsFolder`.
  WindowTray(QWidget& window, TrayIcon& icon, std::string iconsFolder);

  // The controller whose menu the icon's menu shows.
  void SetController(TController* controller);

  bool TrayAvailable() override;
  void TrayIconChanged(bool shown, const std::string& tip) override;
  void HideWindow() override;
  void RestoreWindow() override;
  bool WindowVisible() override;
  bool SetApplicationIcon(const std::string& file) override;

  // Whether the icon is in the notification area now.
  bool IconShown() const { return icon_.Shown(); }
  // A notice the desktop shows without waiting for a click (see TrayIcon::Notify); false when
  // there is no way to show it.
  bool Notify(const std::string& title, const std::string& text);

 private:
  QWidget& window_;
  TrayIcon& icon_;
  std::string iconsFolder_;
  TrayMenu menu_;
  // The application's icon is an icon file of the "icons" folder, not the built-in one.
  bool iconFromFile_ = false;
};

}  // namespace zr4
