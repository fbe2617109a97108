// The controller's icon in the desktop's notification area: it shows what the core decides and
// hands the clicks the desktop reports to the core's click kinds. Windows keeps it as the
// system's own notify icon (tray_icon_windows.cpp), Linux as Qt's tray icon
// (tray_icon_linux.cpp).
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <utility>

class QMenu;

#include "core/tray/tray_clicks.h"

namespace zr4 {

class TrayIcon : public QObject {
 public:
  // Where what happens at the icon goes; nothing goes anywhere until they are set.
  struct Events {
    std::function<void(TTrayMouse event, TTrayButton button)> mouse;  // the mouse on the icon
    // A notification area started again (the panel restarted) and has forgotten the icon.
    std::function<void()> taskbarCreated;
  };

  explicit TrayIcon(QObject* parent = nullptr);
  ~TrayIcon() override;

  void SetEvents(Events events) { events_ = std::move(events); }

  // Whether the desktop has a notification area.
  static bool Available();
  // The clicks the notification area this icon speaks to reports.
  TTrayHostClicks HostClicks() const;
  // The menu a host that shows the icon's menu itself (a StatusNotifier host) shows on a right
  // click; other notification areas leave the right click to the program.
  void SetMenu(QMenu* menu);

  // Shows the icon with this tip and image, or takes it away.
  void Show(const QIcon& icon, const QString& tip);
  void Hide();
  bool Shown() const;
  QString Tip() const;

  // A notice the desktop shows without waiting for a click: Windows, this icon's balloon (the
  // icon shown for as long as the balloon when it is not shown anyway); Linux, the desktop's
  // notification service. False when there is no way to show it.
  bool Notify(const QIcon& icon, const QString& title, const QString& text);

 private:
  class Native;

  void Mouse(TTrayMouse event, TTrayButton button) const;

  Events events_;
  std::unique_ptr<Native> native_;
};

}  // namespace zr4
