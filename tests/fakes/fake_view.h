// A controller view that records what the controller asked of it.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/controller_views.h"
#include "core/panel/window_timers.h"
#include "core/skin/skin_layout.h"

namespace zr4::test {

class FakeView : public PanelView,
                 public MessageView,
                 public WindowView,
                 public PlacementView,
                 public TrayView,
                 public SkinView,
                 public MenuView,
                 public DialogView {
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
  void SimulatedMarkChanged(const std::string& mark) override { simulatedMarks.push_back(mark); }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowCaptionedMessage(const std::string& caption, const std::string& text) override {
    captionedMessages.push_back(caption + "|" + text);
  }
  void ShowNotification(const std::string& title, const std::string& text) override {
    notifications.push_back(title + "|" + text);
  }
  void ShowWindow() override { ++showRequests; }
  void CloseWindow() override { ++closeRequests; }
  void SetTopmost(bool topmost) override { topmostCalls.push_back(topmost); }
  void Minimize() override {
    ++minimizeRequests;
    visible = false;  // minimised
  }
  void SkinChanged(const TSkinLook& shown, const TSkinLayout& placed) override {
    look = shown;
    layout = placed;
    ++skinChanges;
  }
  void VolumeKnobMoved(int left, int top) override { knob = {left, top}; }
  void FramedChanged(bool on) override { framed = on; }
  std::optional<TRect> WorkArea() override { return workArea; }
  bool KnowsWindowPosition() override { return knowsPosition; }
  TRect WindowRect() override { return window; }
  void MoveWindow(int left, int top) override {
    window = {left, top, left + window.Width(), top + window.Height()};
    ++windowMoves;
  }

  bool TrayAvailable() override { return trayAvailable; }
  void TrayIconChanged(bool shown, const std::string& tip) override {
    trayIcon.emplace_back(shown, tip);
  }
  void HideWindow() override {
    ++hideRequests;
    visible = false;
  }
  void RestoreWindow() override {
    ++restoreRequests;
    visible = true;
  }
  bool WindowVisible() override { return visible; }
  void SetForeground() override { ++foregroundRequests; }
  void PopupMenuAtCursor() override { ++popupRequests; }
  bool SetApplicationIcon(const std::string& file) override {
    iconFiles.push_back(file);
    return iconLoads;
  }
  bool RunOptionDialog(TOptionFormModel& form) override {
    return optionDialog ? optionDialog(form) : false;
  }
  void RunAboutBox(TAboutModel& about) override {
    if (aboutBox) aboutBox(about);
  }

  bool trayAvailable = true;
  std::vector<std::pair<bool, std::string>> trayIcon;  // (shown, tip) as the view was told
  int hideRequests = 0;
  int restoreRequests = 0;
  bool visible = true;
  int foregroundRequests = 0;
  int popupRequests = 0;
  std::vector<std::string> iconFiles;
  bool iconLoads = true;
  std::function<bool(TOptionFormModel&)> optionDialog;  // what the user does; OK returns true
  std::function<void(TAboutModel&)> aboutBox;

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
  bool knowsPosition = true;
  TRect window{379, 304, 379 + 320, 304 + 120};
  std::vector<int> volumePositions;
  TSkinLook look;
  TSkinLayout layout;
  int skinChanges = 0;
  TSkinPoint knob{-1, -1};
  std::optional<bool> framed;
  std::optional<TRect> workArea;
  std::vector<std::string> messages;
  std::vector<std::string> captionedMessages;  // "caption|text"
  std::vector<std::string> notifications;      // "title|text"
  std::string title;
  std::vector<std::string> simulatedMarks;  // as the view was told, in order
};

}  // namespace zr4::test
