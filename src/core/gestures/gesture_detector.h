// Gestures made with the component's own remote. The remote reports nothing to the PC, but its
// keys show in the polled status: muting starts a gesture, the volume steps and the power key
// that follow are its marks ("↑", "↓", "OFF"), and a pause of the acceptance time ends it. The
// finished gesture runs the PC command its entry in the gesture list names and puts the volume
// back where it was before the gesture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/device/zr4defs.h"

namespace zr4 {

class Clock;
class MessageView;
class PcCommandRunner;
class TZR4Ctrl;
struct TSettings;

// The recogniser's state.
struct TRemoteFlag {
  bool Continuous = false;     // gestures start without the mute key
  bool Armed = false;          // continuous mode waits for the first mark of the next gesture
  bool SkipNext = false;       // ignore the next record once: it carries the volume restore
  bool Collecting = false;     // a gesture started with the mute key is being collected
  std::uint32_t LastTick = 0;  // tick count of the start or of the last mark
  std::int32_t SavedVolume = 0;
  std::string Sequence;  // the marks so far
};

// The PC command number the gesture list gives `sequence`: the first non-empty entry whose flag
// is "1" and whose sequence equals it exactly; its command item's leading number. 0 when no entry
// matches or the number is not one. Entries with fewer than three items are passed over.
int GestureCommand(const std::vector<std::string>& gestureList, const std::string& sequence);

class TGestureDetector {
 public:
  // `settings` holds the acceptance time and the gesture list; `pcCommands` runs what a
  // gesture names.
  TGestureDetector(Clock& clock, const TSettings& settings, PcCommandRunner& pcCommands,
                   TZR4Ctrl& link, MessageView& messages)
      : clock_(clock),
        settings_(settings),
        pcCommands_(pcCommands),
        link_(link),
        messages_(messages) {}

  // Each status record shown while gestures are enabled, with the record shown before it.
  void DetectGesture(const TDeviceStatus& current, const TDeviceStatus& previous);

  const TRemoteFlag& Flag() const { return flag_; }
  // Start-up begins outside any gesture.
  void ClearCollecting() { flag_.Collecting = false; }

 private:
  bool AppendMark(const TDeviceStatus& current, const TDeviceStatus& previous);
  bool TimedOut();
  // Runs the finished gesture's command; true when the volume was then put back.
  bool RunGesture();
  std::uint32_t Now();

  Clock& clock_;
  const TSettings& settings_;
  PcCommandRunner& pcCommands_;
  TZR4Ctrl& link_;
  MessageView& messages_;
  TRemoteFlag flag_;
  // A gesture's PC command is running: records shown meanwhile (a poll inside a wait) belong
  // to no gesture.
  bool running_ = false;
};

}  // namespace zr4
