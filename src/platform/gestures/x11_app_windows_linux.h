// Other applications' windows on X11: found by WM_CLASS among the window manager's client list,
// raised and closed through EWMH requests to the window manager. Window messages cannot reach a
// Linux application.
#pragma once

#include "core/ports/app_windows.h"

namespace zr4 {

class X11AppWindows : public AppWindows {
 public:
  TAppWindow FindAppWindow(const std::string& windowClass) override;
  void BringToFront(TAppWindow window) override;
  void CloseAppWindow(TAppWindow window) override;
  void PostToAppWindow(TAppWindow window, std::uint32_t msg, std::int32_t wParam,
                       std::int32_t lParam) override;
  void StartProgram(const std::string& program, const std::string& params) override;

 private:
  bool toldUnsupported_ = false;
};

}  // namespace zr4
