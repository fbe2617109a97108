// What the controller asks of the window that shows it. The Qt shell implements it; tests fake it.
#pragma once

#include <string>

#include "core/app/snapping.h"

namespace zr4 {

class ControllerView {
 public:
  virtual ~ControllerView() = default;

  // The label texts or their visibility changed (TController::Labels).
  virtual void LabelsChanged() = 0;
  // The volume slider moved: redraw it and the volume bar.
  virtual void VolumePositionChanged(int position) = 0;
  // Timer1 or Timer2 was enabled, disabled or given another interval.
  virtual void TimersChanged() = 0;
  // The application title changed ("ZR4PCCtrl", or with a countdown).
  virtual void TitleChanged(const std::string& title) = 0;
  // A message box with one of the system's fixed texts.
  virtual void ShowMessage(const std::string& text) = 0;
  // Close the window: the shell then runs TController::FormClose.
  virtual void CloseWindow() = 0;
  // Keep the window above all others, or not, without moving or resizing it.
  virtual void SetTopmost(bool topmost) = 0;
  // Minimise the application.
  virtual void Minimize() = 0;
  // The keyboard shortcuts (TController::Shortcuts) were read: bind them to the window's keys.
  // A view without a keyboard has nothing to do.
  virtual void ShortcutsChanged() {}
  // The controller window's frame on the desktop.
  virtual TRect WindowRect() = 0;
  // Moves the controller window's top-left corner there, keeping its size.
  virtual void MoveWindow(int left, int top) = 0;
};

}  // namespace zr4
