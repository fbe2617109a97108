// A controller view that records what the controller asked of it.
#pragma once

#include <string>
#include <vector>

#include "core/app/controller_view.h"
#include "core/app/window_timers.h"
#include "core/skin/skin_layout.h"

namespace zr4::test {

class FakeView : public ControllerView {
 public:
  void LabelsChanged(const TPanelLabels& shown) override {
    labels = shown;
    ++labelChanges;
  }
  void VolumeSliderChanged(const TVolumeSlider& shown) override {
    slider = shown;
    volumePositions.push_back(shown.position);
  }
  void TimersChanged(const TimerState& first, const TimerState& second) override {
    timer1 = first;
    timer2 = second;
    ++timerChanges;
  }
  void TitleChanged(const std::string& title) override { this->title = title; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowWindow() override { ++showRequests; }
  void CloseWindow() override { ++closeRequests; }
  void SetTopmost(bool topmost) override { topmostCalls.push_back(topmost); }
  void Minimize() override { ++minimizeRequests; }
  void SkinChanged(const TSkinLook& shown, const TSkinLayout& placed) override {
    look = shown;
    layout = placed;
    ++skinChanges;
  }
  void VolumeKnobMoved(int left, int top) override { knob = {left, top}; }
  void FramedChanged(bool on) override { framed = on; }
  std::optional<TRect> WorkArea() override { return workArea; }
  TRect WindowRect() override { return window; }
  void MoveWindow(int left, int top) override {
    window = {left, top, left + window.Width(), top + window.Height()};
    ++windowMoves;
  }

  TPanelLabels labels;
  TVolumeSlider slider;
  TimerState timer1;
  TimerState timer2;
  int labelChanges = 0;
  int timerChanges = 0;
  int showRequests = 0;
  int closeRequests = 0;
  int minimizeRequests = 0;
  std::vector<bool> topmostCalls;
  int windowMoves = 0;
  TRect window{379, 304, 379 + 320, 304 + 120};
  std::vector<int> volumePositions;
  TSkinLook look;
  TSkinLayout layout;
  int skinChanges = 0;
  TSkinPoint knob{-1, -1};
  std::optional<bool> framed;
  std::optional<TRect> workArea;
  std::vector<std::string> messages;
  std::string title;
};

}  // namespace zr4::test
