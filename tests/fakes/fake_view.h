// A controller view that records what the controller asked of it.
#pragma once

#include <string>
#include <vector>

#include "core/app/controller_view.h"
#include "core/app/window_timers.h"

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
  void ShowCaptionedMessage(const std::string& caption, const std::string& text) override {
    captionedMessages.push_back(caption + "|" + text);
  }
  void ShowWindow() override { ++showRequests; }
  void CloseWindow() override { ++closeRequests; }
  void SetTopmost(bool topmost) override { topmostCalls.push_back(topmost); }
  void Minimize() override { ++minimizeRequests; }
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
  std::vector<std::string> messages;
  std::vector<std::string> captionedMessages;  // "caption|text"
  std::string title;
};

}  // namespace zr4::test
