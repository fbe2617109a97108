#include "shell/tray/window_tray.h"

#include <QApplication>
#include <QFileInfo>
#include <utility>

#include "shell/app/app_icon.h"

namespace zr4 {

WindowTray::WindowTray(QWidget& window, TrayIcon& icon, std::string iconsFolder)
    : window_(window), icon_(icon), iconsFolder_(std::move(iconsFolder)) {}

void WindowTray::SetController(TController* controller) {
  menu_.SetController(controller);
  menu_.Refresh();
  icon_.SetMenu(menu_.Menu());
}

bool WindowTray::TrayAvailable() {
  return TrayIcon::Available();
}

// The tray's state shows in the menu's marks ("Tas&kTray", "Al&ways On Top"), and a host that
// shows the menu itself may hold it open.
void WindowTray::TrayIconChanged(bool shown, const std::string& tip) {
  menu_.Refresh();
  if (shown) {
    // The tray has a built-in icon of its own; an icon file chosen in the about box is shown
    // there too.
    icon_.Show(iconFromFile_ ? QApplication::windowIcon() : BuiltInTrayIcon(),
               QString::fromStdString(tip));
  } else {
    icon_.Hide();
  }
}

void WindowTray::HideWindow() {
  window_.hide();
  menu_.Refresh();
}

void WindowTray::RestoreWindow() {
  menu_.Refresh();
  window_.showNormal();
  window_.raise();
  window_.activateWindow();
}

bool WindowTray::WindowVisible() {
  return window_.isVisible() && !window_.isMinimized();
}

bool WindowTray::SetApplicationIcon(const std::string& file) {
  if (file.empty()) {
    QApplication::setWindowIcon(BuiltInIcon());
    iconFromFile_ = false;
    return true;
  }
  const QString path = QString::fromStdString(iconsFolder_) + '/' + QString::fromStdString(file);
  if (!QFileInfo::exists(path)) return true;  // nothing to load: the icon stays
  const QIcon icon = LoadIconFile(path);
  if (icon.isNull()) return false;
  QApplication::setWindowIcon(icon);
  iconFromFile_ = true;
  return true;
}

bool WindowTray::Notify(const std::string& title, const std::string& text) {
  return icon_.Notify(QApplication::windowIcon(), QString::fromStdString(title),
                      QString::fromStdString(text));
}

}  // namespace zr4
