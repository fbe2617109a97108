// The application title: the window's caption, the taskbar's and the tray tip's name, and the
// start of every countdown title ("ZR4PCCtrl - Sleep 1:29").
#pragma once

namespace zr4 {

constexpr const char* kAppTitle = "ZR4PCCtrl";

}  // namespace zr4
