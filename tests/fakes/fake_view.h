// A controller view that counts what the controller asked of it.
#pragma once

#include <string>
#include <vector>

#include "core/app/controller_view.h"

namespace zr4::test {

class FakeView : public ControllerView {
 public:
  void LabelsChanged() override { ++labelChanges; }
  void VolumePositionChanged(int position) override { volumePositions.push_back(position); }
  void TimersChanged() override { ++timerChanges; }
  void TitleChanged(const std::string& title) override { this->title = title; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void CloseWindow() override { ++closeRequests; }
  void SetTopmost(bool topmost) override { topmostCalls.push_back(topmost); }
  void Minimize() override { ++minimizeRequests; }
  TRect WindowRect() override { return window; }
  void MoveWindow(int left, int top) override {
    window = {left, top, left + window.Width(), top + window.Height()};
    ++windowMoves;
  }

  int labelChanges = 0;
  int timerChanges = 0;
  int closeRequests = 0;
  int minimizeRequests = 0;
  std::vector<bool> topmostCalls;
  int windowMoves = 0;
  TRect window{379, 304, 379 + 320, 304 + 120};
  std::vector<int> volumePositions;
  std::vector<std::string> messages;
  std::string title;
};

}  // namespace zr4::test
