// The component as a media player of the desktop (play state, what is playing, volume and the
// transport keys), decided from the polled status without any transfer of its own. The Linux
// shell serves it as MPRIS 2; nothing here knows D-Bus.
#pragma once

#include <cstdint>
#include <string>

#include "core/device/zr4defs.h"
#include "core/panel/panel_labels.h"

namespace zr4 {

class TActionList;
class TCommands;
class TStatusDisplay;
class TVolumeControl;
class TZR4Ctrl;
struct TOptionData;

struct TMediaState {
  std::string playbackStatus = "Stopped";  // "Playing", "Paused" or "Stopped"
  std::string trackId = "/org/mpris/MediaPlayer2/TrackList/NoTrack";  // a D-Bus object path
  std::string title;
  std::string album;
  int trackNumber = 0;          // CD only; 0 for none
  std::int64_t positionUs = 0;  // CD play time
  double volume = 0.0;          // 0.0 at volume 0, 1.0 at VolMax
  bool canPlay = false;
  bool canPause = false;
  bool canGoNext = false;
  bool canGoPrevious = false;
  bool canControl = false;

  bool operator==(const TMediaState&) const = default;
};

// The desktop's transport keys.
enum class TMediaKey { Play, Pause, PlayPause, Stop, Next, Previous };

class TMediaControls {
 public:
  // The keys run `actions` (and `commands` where no action fits); the volume goes through
  // the slider; `display` holds what the panel shows.
  struct Uses {
    const TOptionData& options;
    TVolumeControl& slider;
    const TZR4Ctrl& link;
    const TStatusDisplay& display;
    TActionList& actions;
    TCommands& commands;
  };
  explicit TMediaControls(Uses uses) : u_(uses) {}

  // Every record the window shows, changed or not: a CD's play time that stands still for a
  // while tells a pause from play, as the component reports no play state of its own.
  void Observe(const TDeviceStatus& status, std::int64_t nowTick);

  // What the desktop is shown now. Built again only when something it is made of changed, so
  // that an unchanged poll costs the desktop's view nothing.
  const TMediaState& State() const;

  // The desktop's keys: the window's own actions for the input, so the power save counts them as
  // use. Keys the input does not offer do nothing.
  void Play();
  void Pause();
  void PlayPause();
  void Stop();
  void Next();
  void Previous();
  // Runs the desktop's `key`.
  void Press(TMediaKey key);
  // 0.0 … 1.0 of VolMax, through the volume bar.
  void SetVolume(double volume);

 private:
  enum class CdMotion { Stopped, Paused, Playing };
  CdMotion Motion() const;
  bool CdPlaying() const { return Motion() == CdMotion::Playing; }
  TMediaState Build(const TPanelLabels& labels, int volume, int volumeMax, bool found) const;

  // What the last state was built from.
  struct Inputs {
    TDeviceStatus status;
    bool seen = false;
    CdMotion motion = CdMotion::Stopped;
    int volume = 0;
    int volumeMax = 0;
    bool found = false;
    std::uint64_t labelsRevision = 0;

    bool operator==(const Inputs&) const = default;
  };

  Uses u_;
  TDeviceStatus last_;
  std::int64_t lastChangeTick_ = 0;
  std::int64_t nowTick_ = 0;
  bool seen_ = false;
  mutable Inputs builtFrom_;
  mutable TMediaState state_;
  mutable bool built_ = false;
};

}  // namespace zr4
