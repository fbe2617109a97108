// The controller's views as the program hands them over (shell/app/controller_app.cpp): the
// window's parts, and the window itself for its messages, its state and its place.
#pragma once

#include "core/app/controller_views.h"
#include "shell/panel/main_window.h"

namespace zr4::test {

inline TControllerViews ViewsOf(MainWindow& window) {
  return {window.Panel(), window,        window,        window,
          window.Tray(),  window.Skin(), window.Menu(), window.Dialogs()};
}

}  // namespace zr4::test
