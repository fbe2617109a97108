// What the controller asks of the window that shows it. The Qt shell implements it; tests fake it.
// Everything the window draws is handed over here, so the window never reads the core's state.
#pragma once

#include <string>
#include <vector>

#include "core/app/panel_labels.h"
#include "core/app/snapping.h"

namespace zr4 {

struct TimerState;
struct TShortcutBinding;

// The volume slider as the window draws it.
struct TVolumeSlider {
  int position = 0;
  int max = 0;
  int smallChange = 0;  // Left/Right keys, the slider's arrows
  int largeChange = 0;  // Up/Down keys, a click beside the knob

  bool operator==(const TVolumeSlider&) const = default;
};

class ControllerView {
 public:
  virtual ~ControllerView() = default;

  // The label texts or their visibility changed.
  virtual void LabelsChanged(const TPanelLabels& labels) = 0;
  // A status record was shown, changed or not (after every poll and command).
  virtual void StatusShown() {}
  // The volume slider moved or was set up: redraw it and the volume bar.
  virtual void VolumeSliderChanged(const TVolumeSlider& slider) = 0;
  // Timer1 or Timer2 was enabled, disabled or given another interval.
  virtual void TimersChanged(const TimerState& timer1, const TimerState& timer2) = 0;
  // The application title changed ("ZR4PCCtrl", or with a countdown).
  virtual void TitleChanged(const std::string& title) = 0;
  // A message box with one of the system's fixed texts.
  virtual void ShowMessage(const std::string& text) = 0;
  // Shows the window, at its place in start-up.
  virtual void ShowWindow() = 0;
  // Close the window: the shell then runs TController::FormClose.
  virtual void CloseWindow() = 0;
  // Keep the window above all others, or not, without moving or resizing it.
  virtual void SetTopmost(bool topmost) = 0;
  // Minimise the application.
  virtual void Minimize() = 0;
  // The keyboard shortcuts were read: bind them to the window's keys. A view without a
  // keyboard has nothing to do.
  virtual void ShortcutsChanged(const std::vector<TShortcutBinding>&) {}
  // The controller window's frame on the desktop.
  virtual TRect WindowRect() = 0;
  // Moves the controller window's top-left corner there, keeping its size.
  virtual void MoveWindow(int left, int top) = 0;
};

}  // namespace zr4
