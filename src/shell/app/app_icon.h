// The program's icons: the built-in ones, and icon files of the "icons" folder
// (ProgramFolders::icons).
#pragma once

#include <QIcon>
#include <QString>

namespace zr4 {

// The program's own icon, drawn in the sizes the window, the taskbar and the tray use. On
// Windows it is the .exe's icon resource "MAINICON".
QIcon BuiltInIcon();

// The tray's icon while no icon file is chosen. On Windows the .exe's icon resource "ZICON_01".
QIcon BuiltInTrayIcon();

// The icon file; a null icon when it cannot be read as an image.
QIcon LoadIconFile(const QString& path);

}  // namespace zr4
