// The tray icon on Windows: the system's own notify icon, so that every button's double click
// arrives. Its image is the application's icon at the size the notification area draws.
#include "platform/tray/tray_icon.h"

#include <QImage>
#include <QPixmap>

#include "platform/tray/notify_icon_windows.h"

// The system's headers after the program's own, so that their macros cannot reach those.
#include <windows.h>

namespace zr4 {

class TrayIcon::Native {
 public:
  explicit Native(const TrayIcon& owner) : notify(SystemWin32TrayApi(), Handlers(owner)) {}
  ~Native() {
    notify.Hide();
    ReleaseImage();
  }

  static WindowsNotifyIcon::Handlers Handlers(const TrayIcon& owner) {
    const auto to = [&owner](TTrayMouse event) {
      return [&owner, event](TTrayButton button) { owner.Mouse(event, button); };
    };
    return {to(TTrayMouse::ButtonDown), to(TTrayMouse::ButtonUp),
            to(TTrayMouse::ButtonDoubleClick)};
  }

  // The icon's image as a system icon, made again only when the application's icon changed.
  std::uintptr_t Image(const QIcon& icon) {
    if (image != nullptr && icon.cacheKey() == imageKey)
      return reinterpret_cast<std::uintptr_t>(image);
    const int side = GetSystemMetrics(SM_CXSMICON);
    HICON made = icon.pixmap(QSize(side, side)).toImage().toHICON();
    previous = image;
    image = made;
    imageKey = icon.cacheKey();
    return reinterpret_cast<std::uintptr_t>(image);
  }
  // The image the shown icon no longer uses.
  void ReleasePrevious() {
    if (previous != nullptr) DestroyIcon(previous);
    previous = nullptr;
  }
  void ReleaseImage() {
    ReleasePrevious();
    if (image != nullptr) DestroyIcon(image);
    image = nullptr;
  }

  WindowsNotifyIcon notify;
  HICON image = nullptr;
  HICON previous = nullptr;
  qint64 imageKey = 0;
};

TrayIcon::TrayIcon(QObject* parent) : QObject(parent), native_(std::make_unique<Native>(*this)) {}

TrayIcon::~TrayIcon() = default;

// The taskbar's notification area is always there.
bool TrayIcon::Available() {
  return true;
}

TTrayHostClicks TrayIcon::HostClicks() const {
  return {};  // every click, the right one included: the program opens its own menu
}

void TrayIcon::SetMenu(QMenu*) {}

void TrayIcon::Show(const QIcon& icon, const QString& tip) {
  native_->notify.Show(native_->Image(icon), tip.toStdString());
  native_->ReleasePrevious();
}

void TrayIcon::Hide() {
  native_->notify.Hide();
  native_->ReleaseImage();
}

bool TrayIcon::Shown() const {
  return native_->notify.Shown();
}

QString TrayIcon::Tip() const {
  return QString::fromStdString(native_->notify.Tip());
}

bool TrayIcon::Notify(const QIcon& icon, const QString& title, const QString& text) {
  const bool shown =
      native_->notify.ShowBalloon(native_->Image(icon), title.toStdString(), text.toStdString());
  native_->ReleasePrevious();
  return shown;
}

void TrayIcon::Mouse(TTrayMouse event, TTrayButton button) const {
  if (events_.mouse) events_.mouse(event, button);
}

}  // namespace zr4
