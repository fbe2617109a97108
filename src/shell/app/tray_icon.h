// The controller's icon in the desktop's notification area: it shows what the core decides and
// hands the clicks the desktop reports to the core's click kinds.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>

namespace zr4 {

class TController;

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  explicit TrayIcon(QObject* parent = nullptr);

  void SetController(TController* controller) { controller_ = controller; }

  // Whether the desktop has a notification area (a status-notifier host or a system tray).
  static bool Available();

  // Shows the icon with this tip and image, or takes it away.
  void Show(const QIcon& icon, const QString& tip);
  void Hide();
  bool Shown() const { return icon_.isVisible(); }
  QString Tip() const { return icon_.toolTip(); }

  // What the desktop reports; public so that tests can report clicks themselves.
  void Activated(QSystemTrayIcon::ActivationReason reason);

 private:
  TController* controller_ = nullptr;
  QSystemTrayIcon icon_;
};

}  // namespace zr4
