#include "core/gestures/gesture_detector.h"

#include <exception>

#include "core/base/comma_text.h"
#include "core/base/ini_file.h"
#include "core/device/zr4ctrl.h"
#include "core/panel/message_view.h"
#include "core/pcactions/gesture_entry.h"
#include "core/ports/log.h"
#include "core/ports/pc_commands.h"
#include "core/settings/settings.h"

namespace zr4 {

int GestureCommand(const std::vector<std::string>& gestureList, const std::string& sequence) {
  for (const std::string& line : gestureList) {
    // A hand-edited entry without all three items is not enabled; the lookup goes on.
    const TGestureEntry entry = GestureFromText(line);
    if (!entry.Enabled || entry.Sequence != sequence) continue;
    const std::vector<std::string> command = DecodeCommaText(entry.Command);
    int number = 0;
    if (command.empty() || !ParseInteger(command[0], number)) return 0;
    return number;
  }
  return 0;
}

std::uint32_t TGestureDetector::Now() {
  return static_cast<std::uint32_t>(clock_.TickCount());
}

bool TGestureDetector::AppendMark(const TDeviceStatus& current, const TDeviceStatus& previous) {
  const std::size_t before = flag_.Sequence.size();
  // One step of the remote's volume key; two steps between two polls are no mark.
  if (current.Volume == previous.Volume + 1) flag_.Sequence += "↑";
  if (current.Volume == previous.Volume - 1) flag_.Sequence += "↓";
  if (current.Standby == 1 && previous.Standby == 0) flag_.Sequence += "OFF";
  return flag_.Sequence.size() != before;
}

bool TGestureDetector::TimedOut() {
  const int interval = settings_.Options.RemoConInterval;
  return interval < 0 || Now() - flag_.LastTick >= static_cast<std::uint32_t>(interval);
}

void TGestureDetector::DetectGesture(const TDeviceStatus& current, const TDeviceStatus& previous) {
  if (running_) return;
  TRemoteFlag& f = flag_;
  if (f.Collecting) {
    if (TimedOut()) {
      // Continuous mode switched on inside this gesture waits for the next one's first mark:
      // the record that shows the restored volume must not be taken for it.
      if (RunGesture() && f.Continuous) f.SkipNext = true;
    } else {
      // Mute pressed again without a volume step: continuous mode flips.
      if (current.Mute == 0 && previous.Mute == 1 && current.Volume == previous.Volume) {
        f.Continuous = !f.Continuous;
        f.Armed = f.Continuous;
      }
      if (AppendMark(current, previous)) f.LastTick = Now();
    }
  } else if (f.Continuous) {
    if (f.Armed) {
      if (f.SkipNext) {
        f.SkipNext = false;
        return;
      }
      if (AppendMark(current, previous)) {
        f.Armed = false;
        f.LastTick = Now();
      } else {
        f.SavedVolume = current.Volume;
      }
    } else if (TimedOut()) {
      // Set before the command runs, so that a record shown meanwhile finds the gesture over.
      f.Armed = f.Continuous;
      f.SkipNext = true;
      RunGesture();
    } else if (AppendMark(current, previous)) {
      f.LastTick = Now();
    }
  }
  if (current.Mute == 1 && previous.Mute == 0) {
    f.LastTick = Now();
    f.Collecting = true;
    f.SavedVolume = current.Volume;
  }
}

bool TGestureDetector::RunGesture() {
  // The gesture ends whatever its command does; it ends before the command runs, so that a
  // record shown inside the command's waits cannot run it a second time.
  const std::string sequence = std::move(flag_.Sequence);
  flag_.Sequence.clear();
  flag_.Collecting = false;
  const int number = GestureCommand(settings_.GestureList, sequence);
  LogText(
      "Gesture: \"" + sequence + "\" " +
      (number == 0 ? std::string("matches no entry") : "runs command " + std::to_string(number)));
  if (number == 0) return false;
  running_ = true;
  try {
    pcCommands_.ExecutePcCommand(number);
    link_.SetVolume(flag_.SavedVolume);
  } catch (const std::exception& error) {
    // The user hears why; the volume stays as the gesture left it.
    running_ = false;
    messages_.ShowMessage(error.what());
    return false;
  }
  running_ = false;
  return true;
}

}  // namespace zr4
