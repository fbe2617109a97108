// Other applications' main windows, found by window class, and starting their programs.
#pragma once

#include <cstdint>
#include <string>

namespace zr4 {

// A top-level window of another application; 0 is none.
using TAppWindow = std::uintptr_t;

class AppWindows {
 public:
  virtual ~AppWindows() = default;

  // The first top-level window of that class, any title; 0 when there is none.
  virtual TAppWindow FindAppWindow(const std::string& windowClass) = 0;
  virtual void BringToFront(TAppWindow window) = 0;
  // Asks the window to close, without waiting for it.
  virtual void CloseAppWindow(TAppWindow window) = 0;
  // Posts a window message, without waiting for it.
  virtual void PostToAppWindow(TAppWindow window, std::uint32_t msg, std::int32_t wParam,
                               std::int32_t lParam) = 0;
  // Starts the program with its parameters (one text, as typed on a command line); a start that
  // fails is not reported.
  virtual void StartProgram(const std::string& program, const std::string& params) = 0;
};

}  // namespace zr4
