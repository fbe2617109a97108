// The tray icon and the window's ways in and out of it. A view without a notification area keeps
// the defaults: no icon, and a minimised window stays where the desktop keeps it.
#pragma once

#include <string>

namespace zr4 {

class TrayView {
 public:
  virtual ~TrayView() = default;

  // Whether the desktop has a notification area that shows the icon.
  virtual bool TrayAvailable() { return false; }
  // The icon is in the notification area (with this tip and the application's icon), or not.
  virtual void TrayIconChanged(bool /*shown*/, const std::string& /*tip*/) {}
  // Hides the minimised window; the tray icon is the way back.
  virtual void HideWindow() {}
  // Shows the window again, not minimised, in front.
  virtual void RestoreWindow() {}
  // Whether the window is shown (not hidden in the tray, not minimised).
  virtual bool WindowVisible() { return true; }
  // The application's icon (window and tray): the file, or the built-in icon for "". False when
  // the file could not be loaded; the icon is then unchanged.
  virtual bool SetApplicationIcon(const std::string& /*file*/) { return true; }
};

}  // namespace zr4
