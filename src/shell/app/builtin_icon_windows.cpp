// The built-in icons on Windows: the .exe's own icon resources (zr4pcctrl.rc), the ones Explorer
// and shortcuts show, so that the window and the tray show the same pictures.
#include <QImage>
#include <QPixmap>
#include <initializer_list>

#include "shell/app/app_icon.h"

// The system's headers after the program's own, so that their macros cannot reach those.
#include <windows.h>

namespace zr4 {

namespace {

// The icon resource in each of `sizes`, as the system picks and decodes it from the resource's
// images.
QIcon ResourceIcon(const wchar_t* name, std::initializer_list<int> sizes) {
  QIcon icon;
  for (int size : sizes) {
    auto* handle = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (handle == nullptr) continue;
    icon.addPixmap(QPixmap::fromImage(QImage::fromHICON(handle)));
    DestroyIcon(handle);
  }
  return icon;
}

}  // namespace

QIcon BuiltInIcon() {
  return ResourceIcon(L"MAINICON", {16, 24, 32, 48, 256});
}

// The notification area draws the small sizes only (16 px, 24 or 32 px on a larger scale).
QIcon BuiltInTrayIcon() {
  return ResourceIcon(L"ZICON_01", {16, 24, 32});
}

}  // namespace zr4
