// A faithful model of the ZR4PC: it keeps the component's state, acts on command frames as the
// real one does, answers status reads with the report the real one would send, and takes the
// keys of the component's own infrared remote. It stands in for the component when none is
// attached, and it is what the integration tests talk to.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/device/zr4defs.h"
#include "core/ports/clock.h"

namespace zr4 {

class TSimComponent {
 public:
  enum class RemoteKey { VolumeUp, VolumeDown, Mute, Power };
  enum class Band { FM, AM };
  enum class CdState { Stopped, Playing, Paused, TrayOpen };
  enum class CdRepeat { Off, One, All };

  struct Preset {
    Band band;
    int frequency;  // FM in units of 10 kHz (8000 = 80.00 MHz), AM in kHz
  };

  // One transfer as it crossed the link, stamped with the clock's tick count.
  struct Transfer {
    std::int64_t tick;
    bool in;
    Frame frame;
  };

  explicit TSimComponent(Clock& clock);

  // The request operation of the device link (see RequestFn).
  bool Request(bool in, std::uint8_t* buffer);

  // A key of the component's own remote: changes the state without any PC frame.
  void PressRemoteKey(RemoteKey key);

  // Whether the PC is streaming sound to the PC USB input.
  void SetUsbPlayback(bool playing) { usbPlayback_ = playing; }

  // Called with one line per transfer: "OUT " or "IN " and the hex dump of the 32 bytes.
  void SetTrace(std::function<void(const std::string&)> trace) { trace_ = std::move(trace); }

  // What crossed the link lately, in order; tests compare it and may clear it. Only the newest
  // kMaxRecordedTransfers are kept, so that a long run does not grow without end.
  static constexpr std::size_t kMaxRecordedTransfers = 4096;
  std::vector<Transfer>& Transfers() { return transfers_; }
  // The command frames received, in order, without the status reads.
  std::vector<Frame> ReceivedFrames() const;

  // The report the component would send now.
  Frame BuildReport();

  // State, as the front panel would show it.
  bool standby() const { return standby_; }
  Input input() const;
  int volume() const { return volume_; }
  bool muted() const { return mute_; }
  int toneMode() const { return toneMode_; }
  bool manualTuning() const { return manualTuning_; }
  int preset() const { return preset_; }
  int frequency() const { return band_ == Band::FM ? fmFrequency_ : amFrequency_; }
  Band band() const { return band_; }
  CdState cdState() const { return cdState_; }
  int cdTrack() const { return cdTrack_; }
  int cdPositionSeconds();
  const std::vector<Preset>& presets() const { return presets_; }

  // Direct state changes, for tests and for the demonstration start-up.
  void SetStandby(bool standby);
  void SetToneMode(int mode) { toneMode_ = mode; }
  void SetVolume(int volume);

 private:
  enum class Source { Tuner, CD, MD, AUX, USB };

  void Execute(std::uint8_t command, std::uint8_t argument);
  void SelectTuner();
  void StepPreset(int delta);
  void CallPreset(int number);
  void CdPlay();
  void CdPlayTrack(int track);
  void CdStop();
  void CdSkip(int delta);
  void CdSeek(int seconds);
  void AdvanceCd();
  int NextRandomTrack();

  Clock& clock_;
  std::function<void(const std::string&)> trace_;
  std::vector<Transfer> transfers_;

  bool standby_ = false;
  Source source_ = Source::Tuner;
  int volume_ = 22;
  bool mute_ = false;
  int toneMode_ = 1;  // 1 TONE, 2 N.B.1, 3 N.B.2
  bool usbPlayback_ = false;

  Band band_ = Band::FM;
  bool manualTuning_ = false;
  int preset_ = 1;
  int fmFrequency_ = 8000;
  int amFrequency_ = 594;
  std::vector<Preset> presets_;

  std::vector<int> discTracks_;
  CdState cdState_ = CdState::Stopped;
  int cdTrack_ = 1;
  std::int64_t cdPositionMs_ = 0;
  std::int64_t cdLastTick_ = 0;
  CdRepeat cdRepeat_ = CdRepeat::Off;
  bool cdRandom_ = false;
  std::uint32_t randomState_ = 12345;
};

}  // namespace zr4
