#include "core/device/sim_component.h"

#include <algorithm>
#include <cstring>

namespace zr4 {

namespace {

std::uint8_t ToBcd(int value) {
  value = std::clamp(value, 0, 99);
  return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10));
}

bool IsValidFrame(const std::uint8_t* frame) {
  return frame[0] == kFrameStart && frame[1] == kFramePayload &&
         frame[4] == static_cast<std::uint8_t>(frame[0] + frame[1] + frame[2] + frame[3]);
}

constexpr int kSeekSeconds = 10;
constexpr int kRestartTrackSeconds = 3;
constexpr int kPresetCount = 20;

}  // namespace

TSimComponent::TSimComponent(Clock& clock) : clock_(clock) {
  // A preset table as a listener in the Kanto area might have stored it.
  presets_ = {{Band::FM, 8000}, {Band::FM, 8130}, {Band::FM, 8250}, {Band::FM, 7800},
              {Band::FM, 7650}, {Band::FM, 8450}, {Band::FM, 9050}, {Band::FM, 9160},
              {Band::FM, 9300}, {Band::FM, 7610}, {Band::FM, 8940}, {Band::FM, 8560},
              {Band::AM, 594},  {Band::AM, 693},  {Band::AM, 954},  {Band::AM, 1134},
              {Band::AM, 1242}, {Band::AM, 1422}, {Band::AM, 531},  {Band::AM, 1008}};
  // A disc of twelve tracks of different lengths, in seconds.
  discTracks_ = {185, 252, 301, 64, 427, 210, 198, 605, 143, 239, 276, 331};
  cdLastTick_ = clock_.TickCount();
}

Input TSimComponent::input() const {
  switch (source_) {
    case Source::Tuner:
      return band_ == Band::AM ? kInputAM : kInputFM;
    case Source::CD:
      return kInputCD;
    case Source::MD:
      return kInputMD;
    case Source::AUX:
      return kInputAUX;
    case Source::USB:
      return kInputUSB;
  }
  return kInputNone;
}

std::vector<Frame> TSimComponent::ReceivedFrames() const {
  std::vector<Frame> frames;
  for (const auto& transfer : transfers_)
    if (!transfer.in) frames.push_back(transfer.frame);
  return frames;
}

bool TSimComponent::Request(bool in, std::uint8_t* buffer) {
  Frame frame{};
  if (in) {
    frame = BuildReport();
    std::memcpy(buffer, frame.data(), kFrameSize);
  } else {
    std::memcpy(frame.data(), buffer, kFrameSize);
    // A malformed frame is dropped without a word, as the real component does.
    if (IsValidFrame(buffer)) Execute(buffer[2], buffer[3]);
  }
  if (transfers_.size() >= kMaxRecordedTransfers)
    transfers_.erase(transfers_.begin(), transfers_.begin() + kMaxRecordedTransfers / 2);
  transfers_.push_back({clock_.TickCount(), in, frame});
  if (trace_) trace_((in ? "IN " : "OUT ") + HexDump(frame));
  return true;
}

void TSimComponent::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, kMaxVolume);
}

void TSimComponent::PressRemoteKey(RemoteKey key) {
  switch (key) {
    case RemoteKey::Power:
      SetStandby(!standby_);
      return;
    case RemoteKey::VolumeUp:
      if (!standby_) SetVolume(volume_ + 1);
      return;
    case RemoteKey::VolumeDown:
      if (!standby_) SetVolume(volume_ - 1);
      return;
    case RemoteKey::Mute:
      if (!standby_) mute_ = !mute_;
      return;
  }
}

void TSimComponent::Execute(std::uint8_t command, std::uint8_t argument) {
  const std::uint32_t code = 0xB8020000u | command << 8 | argument;
  if (standby_) {
    // In standby the component only listens for the power key.
    if (code == cmdPowerOn) standby_ = false;
    return;
  }
  switch (command) {
    case cmdSetVolume:
      SetVolume(argument);
      return;
    case cmdCallPreset:
      CallPreset(argument);
      return;
    case cmdPlayTrack:
      CdPlayTrack(argument);
      return;
    default:
      break;
  }
  switch (code) {
    case cmdPowerOff:
      SetStandby(true);
      break;
    case cmdSelectTuner:
      SelectTuner();
      break;
    case cmdSelectBand:
      if (source_ == Source::Tuner) band_ = band_ == Band::FM ? Band::AM : Band::FM;
      SelectTuner();
      break;
    case cmdSelectCD:
      source_ = Source::CD;
      break;
    case cmdSelectMD:
      source_ = Source::MD;
      break;
    case cmdSelectAUX:
      source_ = Source::AUX;
      break;
    case cmdSelectUSB:
      source_ = Source::USB;
      break;
    case cmdMute:
      mute_ = !mute_;
      break;
    case cmdTone:
      toneMode_ = toneMode_ == 1 ? 2 : toneMode_ == 2 ? 3 : 1;
      break;
    case cmdAutoManual:
      if (source_ == Source::Tuner) manualTuning_ = !manualTuning_;
      break;
    case cmdPresetUp:
      if (source_ == Source::Tuner) StepPreset(+1);
      break;
    case cmdPresetDown:
      if (source_ == Source::Tuner) StepPreset(-1);
      break;
    case cmdCdPlay:
      CdPlay();
      break;
    case cmdCdStop:
      CdStop();
      break;
    case cmdCdNext:
      CdSkip(+1);
      break;
    case cmdCdPrevious:
      CdSkip(-1);
      break;
    case cmdCdForward:
      CdSeek(+kSeekSeconds);
      break;
    case cmdCdRewind:
      CdSeek(-kSeekSeconds);
      break;
    case cmdCdRepeat:
      cdRepeat_ = cdRepeat_ == CdRepeat::Off   ? (cdRandom_ ? CdRepeat::All : CdRepeat::One)
                  : cdRepeat_ == CdRepeat::One ? CdRepeat::All
                                               : CdRepeat::Off;
      break;
    case cmdRandom:
      cdRandom_ = !cdRandom_;
      if (cdRandom_ && cdRepeat_ == CdRepeat::One) cdRepeat_ = CdRepeat::Off;
      break;
    case cmdEject:
      AdvanceCd();
      if (cdState_ == CdState::TrayOpen) {
        cdState_ = CdState::Stopped;
      } else {
        cdState_ = CdState::TrayOpen;
        cdTrack_ = 1;
        cdPositionMs_ = 0;
      }
      break;
    default:
      // MD and TAPE keys, recording input level: the decks have no reported state.
      break;
  }
}

void TSimComponent::SelectTuner() {
  source_ = Source::Tuner;
}

void TSimComponent::StepPreset(int delta) {
  int number = preset_ + delta;
  if (number < 1) number = kPresetCount;
  if (number > kPresetCount) number = 1;
  CallPreset(number);
}

void TSimComponent::CallPreset(int number) {
  if (number < 1 || number > static_cast<int>(presets_.size())) return;
  const Preset& preset = presets_[number - 1];
  source_ = Source::Tuner;
  band_ = preset.band;
  (band_ == Band::FM ? fmFrequency_ : amFrequency_) = preset.frequency;
  preset_ = number;
}

void TSimComponent::SetStandby(bool standby) {
  // Standby stops the disc, as the component does: its time stands still, and power on finds it
  // stopped at the start of the track it was on.
  if (standby && !standby_) {
    AdvanceCd();
    if (cdState_ == CdState::Playing || cdState_ == CdState::Paused) {
      cdState_ = CdState::Stopped;
      cdPositionMs_ = 0;
    }
  }
  standby_ = standby;
}

int TSimComponent::cdPositionSeconds() {
  AdvanceCd();
  return static_cast<int>(cdPositionMs_ / 1000);
}

// Lets the play time run on to the clock's present, moving through the disc as it plays.
void TSimComponent::AdvanceCd() {
  const std::int64_t now = clock_.TickCount();
  const std::int64_t elapsed = now - cdLastTick_;
  cdLastTick_ = now;
  if (cdState_ != CdState::Playing || elapsed <= 0) return;
  cdPositionMs_ += elapsed;
  const int trackCount = static_cast<int>(discTracks_.size());
  while (cdState_ == CdState::Playing && cdPositionMs_ >= discTracks_[cdTrack_ - 1] * 1000LL) {
    cdPositionMs_ -= discTracks_[cdTrack_ - 1] * 1000LL;
    if (cdRepeat_ == CdRepeat::One) continue;
    if (cdRandom_) {
      cdTrack_ = NextRandomTrack();
    } else if (cdTrack_ < trackCount) {
      ++cdTrack_;
    } else if (cdRepeat_ == CdRepeat::All) {
      cdTrack_ = 1;
    } else {
      cdState_ = CdState::Stopped;
      cdTrack_ = 1;
      cdPositionMs_ = 0;
    }
  }
}

int TSimComponent::NextRandomTrack() {
  randomState_ = randomState_ * 1103515245u + 12345u;
  return static_cast<int>((randomState_ >> 16) % discTracks_.size()) + 1;
}

void TSimComponent::CdPlay() {
  AdvanceCd();
  source_ = Source::CD;
  switch (cdState_) {
    case CdState::Playing:
      cdState_ = CdState::Paused;
      break;
    case CdState::TrayOpen:
    case CdState::Stopped:
    case CdState::Paused:
      cdState_ = CdState::Playing;
      break;
  }
}

void TSimComponent::CdPlayTrack(int track) {
  if (track < 1 || track > static_cast<int>(discTracks_.size())) return;
  AdvanceCd();
  source_ = Source::CD;
  cdTrack_ = track;
  cdPositionMs_ = 0;
  cdState_ = CdState::Playing;
}

void TSimComponent::CdStop() {
  AdvanceCd();
  if (cdState_ == CdState::TrayOpen) return;
  cdState_ = CdState::Stopped;
  cdPositionMs_ = 0;
}

void TSimComponent::CdSkip(int delta) {
  AdvanceCd();
  if (source_ != Source::CD || cdState_ == CdState::TrayOpen) return;
  const int trackCount = static_cast<int>(discTracks_.size());
  if (delta < 0 && cdPositionMs_ >= kRestartTrackSeconds * 1000) {
    cdPositionMs_ = 0;  // back to the start of the playing track first
    return;
  }
  int track = cdTrack_ + delta;
  if (track < 1) track = cdRepeat_ == CdRepeat::All ? trackCount : 1;
  if (track > trackCount) track = cdRepeat_ == CdRepeat::All ? 1 : trackCount;
  cdTrack_ = track;
  cdPositionMs_ = 0;
}

void TSimComponent::CdSeek(int seconds) {
  AdvanceCd();
  if (source_ != Source::CD || cdState_ == CdState::TrayOpen) return;
  const std::int64_t length = discTracks_[cdTrack_ - 1] * 1000LL;
  cdPositionMs_ = std::clamp<std::int64_t>(cdPositionMs_ + seconds * 1000LL, 0, length - 1000);
}

Frame TSimComponent::BuildReport() {
  AdvanceCd();
  Frame report{};
  report[3] = static_cast<std::uint8_t>(source_);
  report[4] = ToBcd(volume_);
  const std::uint8_t power = standby_ ? 2 : mute_ ? 3 : 1;
  static constexpr std::uint8_t kToneBits[] = {0x00, 0x30, 0x10, 0x20};
  const std::uint8_t tone = kToneBits[std::clamp(toneMode_, 0, 3)];
  report[5] = static_cast<std::uint8_t>(power | tone | (usbPlayback_ ? 0x80 : 0x00));
  switch (source_) {
    case Source::Tuner: {
      const int frequency = this->frequency();
      report[9] = ToBcd(preset_);
      report[12] = ToBcd(frequency / 100);
      report[13] = ToBcd(frequency % 100);
      report[14] = band_ == Band::AM ? 1 : 0;
      break;
    }
    case Source::CD: {
      const bool hasDisc = cdState_ != CdState::TrayOpen;
      const int seconds = static_cast<int>(cdPositionMs_ / 1000);
      report[9] = hasDisc ? ToBcd(cdTrack_) : 0;
      report[10] = hasDisc ? ToBcd(seconds / 60) : 0;
      report[11] = hasDisc ? ToBcd(seconds % 60) : 0;
      report[13] = hasDisc ? ToBcd(static_cast<int>(discTracks_.size())) : 0;
      std::uint8_t mode = cdRandom_ ? 0x02 : 0x00;
      if (cdRepeat_ == CdRepeat::One) mode |= 0x04;
      if (cdRepeat_ == CdRepeat::All) mode |= 0x08;
      report[14] = mode;
      break;
    }
    default:
      break;
  }
  report[15] = manualTuning_ ? 1 : 0;
  return report;
}

}  // namespace zr4
