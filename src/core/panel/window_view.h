// The controller window as a whole: shown, closed, minimised, in front, above others, framed.
#pragma once

namespace zr4 {

class WindowView {
 public:
  virtual ~WindowView() = default;

  // Shows the window, at its place in start-up.
  virtual void ShowWindow() = 0;
  // Close the window: the shell then runs TController::FormClose.
  virtual void CloseWindow() = 0;
  // Minimise the application.
  virtual void Minimize() = 0;
  // Brings the window to the front.
  virtual void SetForeground() {}
  // Keep the window above all others, or not, without moving or resizing it.
  virtual void SetTopmost(bool topmost) = 0;
  // The window gets a frame, or loses it.
  virtual void FramedChanged(bool) {}
};

}  // namespace zr4
