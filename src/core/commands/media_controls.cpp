#include "core/commands/media_controls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/commands/action_list.h"
#include "core/commands/commands.h"
#include "core/device/zr4ctrl.h"
#include "core/panel/status_display.h"
#include "core/panel/volume_control.h"
#include "core/settings/option_data.h"

namespace zr4 {

namespace {
// Longer than the slowest poll of a playing CD (once a second) with room for a late tick.
constexpr std::int64_t kStandingStillMs = 2500;

std::string TwoDigitText(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2d", value);
  return text;
}
}  // namespace

void TMediaControls::Observe(const TDeviceStatus& status, std::int64_t nowTick) {
  nowTick_ = nowTick;
  const bool moved = status.Source != last_.Source || status.CdTrack != last_.CdTrack ||
                     status.CdMinute != last_.CdMinute || status.CdSecond != last_.CdSecond;
  // The first record, and a change of input, are not evidence of play.
  if (seen_ && moved && status.Source == last_.Source) lastChangeTick_ = nowTick;
  if (!seen_ || status.Source != last_.Source) lastChangeTick_ = nowTick - kStandingStillMs;
  last_ = status;
  seen_ = true;
}

TMediaControls::CdMotion TMediaControls::Motion() const {
  if (nowTick_ - lastChangeTick_ < kStandingStillMs) return CdMotion::Playing;
  const bool atStart = last_.CdMinute == 0 && last_.CdSecond == 0;
  return atStart ? CdMotion::Stopped : CdMotion::Paused;
}

const TMediaState& TMediaControls::State() const {
  Inputs now{last_,
             seen_,
             CdMotion::Stopped,
             u_.slider.Position(),
             u_.options.VolMax,
             u_.link.Found,
             u_.display.Revision()};
  if (last_.Source == kInputCD) now.motion = Motion();
  if (built_ && now == builtFrom_) return state_;
  state_ = Build(u_.display.Labels(), now.volume, now.volumeMax, now.found);
  builtFrom_ = now;
  built_ = true;
  return state_;
}

TMediaState TMediaControls::Build(const TPanelLabels& labels, int volume, int volumeMax,
                                  bool found) const {
  TMediaState s;
  const TDeviceStatus& st = last_;
  // The volume bar: it follows the component, holds it at VolMax, and moves at once when the
  // desktop sets the volume.
  s.volume = volumeMax <= 0 ? 0.0 : std::clamp(double(volume) / volumeMax, 0.0, 1.0);
  s.canControl = found;
  if (!seen_ || st.Source == kInputNone) return s;

  const bool on = st.Standby == 0;
  switch (st.Source) {
    case kInputCD: {
      const CdMotion motion = Motion();
      s.playbackStatus = motion == CdMotion::Playing  ? "Playing"
                         : motion == CdMotion::Paused ? "Paused"
                                                      : "Stopped";
      s.trackNumber = st.CdTrack;
      s.title = "Track " + TwoDigitText(st.CdTrack);
      s.album = "CD";
      s.trackId = "/org/zr4pcctrl/cd/track" + TwoDigitText(st.CdTrack);
      s.positionUs = (std::int64_t{st.CdMinute} * 60 + st.CdSecond) * 1'000'000;
      s.canPlay = s.canPause = s.canGoNext = s.canGoPrevious = on;
      break;
    }
    case kInputFM:
    case kInputAM: {
      const bool fm = st.Source == kInputFM;
      s.playbackStatus = "Playing";
      const bool named = labels.lbRadioNameVisible && !labels.lbRadioName.empty();
      s.title = named ? labels.lbRadioName : labels.lbRadioNum + " " + labels.lbHz;
      s.album = fm ? "FM" : "AM";
      std::string frequency = labels.lbRadioNum;
      std::replace(frequency.begin(), frequency.end(), '.', '_');
      s.trackId = std::string("/org/zr4pcctrl/") + (fm ? "fm/" : "am/") + "f" + frequency;
      // Radio plays while it is on; it cannot pause. Next and previous step the presets.
      s.canPlay = s.canGoNext = s.canGoPrevious = on;
      break;
    }
    case kInputMD:
      s.playbackStatus = "Playing";
      s.title = s.album = "MD";
      s.trackId = "/org/zr4pcctrl/md";
      s.canPlay = s.canPause = s.canGoNext = s.canGoPrevious = on;
      break;
    default:  // TAPE/AUX and PC USB: the input plays what it is given
      s.playbackStatus = st.Source == kInputUSB && st.UsbPlayback != 1 ? "Stopped" : "Playing";
      s.title = s.album = LabelDisplayText(labels.lbInput);
      s.trackId = st.Source == kInputUSB ? "/org/zr4pcctrl/usb" : "/org/zr4pcctrl/aux";
      s.canPlay = on;
      break;
  }
  if (!on) s.playbackStatus = "Stopped";
  return s;
}

// The CD's play key starts play and pauses it by turns; it is pressed only when that is the
// state the desktop asked for.
void TMediaControls::Play() {
  if (!State().canPlay) return;
  const bool startsPlay = (last_.Source == kInputCD && !CdPlaying()) || last_.Source == kInputMD;
  if (startsPlay) u_.actions.Execute("actPlay");  // the other inputs play already
}

void TMediaControls::Pause() {
  const TMediaState s = State();
  if (!s.canPause) return;
  if (last_.Source == kInputMD) {
    u_.commands.DeviceKeyClick(cmdMdPause);
  } else if (CdPlaying()) {
    u_.actions.Execute("actPlay");
  }
}

void TMediaControls::PlayPause() {
  if (last_.Source == kInputCD) {
    if (State().canPause) u_.actions.Execute("actPlay");
  } else {
    Pause();
  }
}

void TMediaControls::Stop() {
  if (last_.Source == kInputCD || last_.Source == kInputMD)
    if (State().canPause) u_.actions.Execute("actStop");
}

void TMediaControls::Next() {
  if (State().canGoNext) u_.actions.Execute("actNext");
}

void TMediaControls::Previous() {
  if (State().canGoPrevious) u_.actions.Execute("actPrevious");
}

void TMediaControls::Press(TMediaKey key) {
  switch (key) {
    case TMediaKey::Play:
      return Play();
    case TMediaKey::Pause:
      return Pause();
    case TMediaKey::PlayPause:
      return PlayPause();
    case TMediaKey::Stop:
      return Stop();
    case TMediaKey::Next:
      return Next();
    case TMediaKey::Previous:
      return Previous();
  }
}

void TMediaControls::SetVolume(double volume) {
  if (!std::isfinite(volume)) return;
  const int volumeMax = u_.options.VolMax;
  const double clamped = std::clamp(volume, 0.0, 1.0);
  u_.slider.SetPosition(static_cast<int>(std::lround(clamped * volumeMax)));
}

}  // namespace zr4
