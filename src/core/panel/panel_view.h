// What the window draws of the component's panel: its labels, the volume slider, the title and the
// window's two timers. The Qt shell implements it; tests fake it. Everything the panel shows is
// handed over here, so the window never reads the core's state.
#pragma once

#include <string>

#include "core/panel/panel_labels.h"
#include "core/panel/volume_control.h"

namespace zr4 {

// One of the window's two timers, as the window runs it.
struct TimerState {
  bool Enabled = false;
  int Interval = 0;

  bool operator==(const TimerState&) const = default;
};

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

class PanelView {
 public:
  virtual ~PanelView() = default;

  // The label texts or their visibility changed.
  virtual void LabelsChanged(const TPanelLabels& labels) = 0;
  // A status record was shown, changed or not (after every poll and command).
  virtual void StatusShown() {}
  // The mark that says the simulated component stands in ("SIM"), or "" while a real ZR4PC is
  // driven: drawn in the display and read with the window's description.
  virtual void SimulatedMarkChanged(const std::string& /*mark*/) {}
  // The volume slider moved or was set up: redraw it and the volume bar.
  virtual void VolumeSliderChanged(const TVolumeSlider& slider) = 0;
  // The application title changed ("ZR4PCCtrl", or with a countdown).
  virtual void TitleChanged(const std::string& title) = 0;
  // Timer1 or Timer2 was enabled, disabled or given another interval.
  virtual void TimersChanged(const TimerState& timer1, const TimerState& timer2) = 0;
};

}  // namespace zr4
