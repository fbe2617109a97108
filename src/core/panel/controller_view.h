// What the controller asks of the window that shows it. The Qt shell implements it; tests fake it.
// Everything the window draws is handed over here, so the window never reads the core's state.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/panel/panel_labels.h"
#include "core/panel/snapping.h"
#include "core/panel/volume_control.h"

namespace zr4 {

struct TimerState;
struct TShortcutBinding;
class TOptionFormModel;
class TAboutModel;
struct TSkinLook;
struct TSkinLayout;

// The volume slider as the window draws it.
struct TVolumeSlider {
  int position = 0;
  int max = 0;
  int smallChange = 0;  // Left/Right keys, the slider's arrows
  int largeChange = 0;  // Up/Down keys, a click beside the knob

  bool operator==(const TVolumeSlider&) const = default;
};

inline TVolumeSlider SliderOf(const TVolumeControl& slider) {
  return {slider.Position(), slider.Max(), slider.SmallChange, slider.LargeChange};
}

class ControllerView {
 public:
  virtual ~ControllerView() = default;

  // The label texts or their visibility changed.
  virtual void LabelsChanged(const TPanelLabels& labels) = 0;
  // A status record was shown, changed or not (after every poll and command).
  virtual void StatusShown() {}
  // The mark that says the simulated component stands in ("SIM"), or "" while a real ZR4PC is
  // driven: drawn in the display and read with the window's description.
  virtual void SimulatedMarkChanged(const std::string& /*mark*/) {}
  // The volume slider moved or was set up: redraw it and the volume bar.
  virtual void VolumeSliderChanged(const TVolumeSlider& slider) = 0;
  // Timer1 or Timer2 was enabled, disabled or given another interval.
  virtual void TimersChanged(const TimerState& timer1, const TimerState& timer2) = 0;
  // The application title changed ("ZR4PCCtrl", or with a countdown).
  virtual void TitleChanged(const std::string& title) = 0;
  // A message box with one of the system's fixed texts.
  virtual void ShowMessage(const std::string& text) = 0;
  // A message box with its own caption instead of the application's title. A view without
  // captions shows the text alone.
  virtual void ShowCaptionedMessage(const std::string& caption, const std::string& text) {
    (void)caption;
    ShowMessage(text);
  }
  // A desktop notification: shown without waiting for anyone to click it away. Where the
  // desktop has no way to show one, the text goes where the program's diagnostics go.
  virtual void ShowNotification(const std::string& title, const std::string& text) = 0;
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
  // A skin was loaded: the face, the outline, the buttons' pictures and where everything goes.
  virtual void SkinChanged(const TSkinLook&, const TSkinLayout&) {}
  // The volume knob (button 22) moved to (left, top) of the window.
  virtual void VolumeKnobMoved(int, int) {}
  // The window gets a frame, or loses it.
  virtual void FramedChanged(bool) {}
  // The desktop's work area; none when it cannot be read.
  virtual std::optional<TRect> WorkArea() { return std::nullopt; }
  // Whether the window can learn where it is on the desktop. A Wayland client cannot: the
  // compositor places it, WindowRect's corner then means nothing and MoveWindow does not place it.
  virtual bool KnowsWindowPosition() { return true; }
  // The controller window's frame on the desktop.
  virtual TRect WindowRect() = 0;
  // Moves the controller window's top-left corner there, keeping its size.
  virtual void MoveWindow(int left, int top) = 0;

  // The tray icon and the window's ways in and out of it. A view without a notification area
  // keeps the defaults: no icon, and a minimised window stays where the desktop keeps it.
  // Whether the desktop has a notification area that shows the icon.
  virtual bool TrayAvailable() { return false; }
  // The icon is in the notification area (with this tip and the application's icon), or not.
  virtual void TrayIconChanged(bool /*shown*/, const std::string& /*tip*/) {}
  // Hides the minimised window; the tray icon is the way back.
  virtual void HideWindow() {}
  // Shows the window again, not minimised, in front.
  virtual void RestoreWindow() {}
  // Whether the window is shown (not hidden in the tray, not minimised).
  virtual bool WindowVisible() { return true; }
  // Brings the window to the front.
  virtual void SetForeground() {}
  // Opens the right-click menu at the mouse pointer, aligned by its right edge.
  virtual void PopupMenuAtCursor() {}
  // The application's icon (window and tray): the file, or the built-in icon for "". False when
  // the file could not be loaded; the icon is then unchanged.
  virtual bool SetApplicationIcon(const std::string& /*file*/) { return true; }

  // The dialogs, shown modally on the model they edit. RunOptionDialog returns whether the user
  // confirmed with OK.
  virtual bool RunOptionDialog(TOptionFormModel& /*form*/) { return false; }
  virtual void RunAboutBox(TAboutModel& /*about*/) {}
};

}  // namespace zr4
