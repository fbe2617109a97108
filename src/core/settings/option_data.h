// The settings record, one field per settings key, with the defaults of a missing file.
#pragma once

#include <string>

namespace zr4 {

// The skin a new settings file starts with; it also ships built into the program.
inline constexpr const char* kDefaultSkinIniName = "skins\\skindefa.zip";

struct TOptionData {
  int OptionPage = 0;  // not stored: the options dialog page shown last
  bool AutoOn = false;
  bool AutoOff = false;
  bool SuspendOn = false;
  bool SuspendOff = false;
  bool NBCut = true;
  bool NB2Cut = false;
  bool AutoVolChange = false;
  bool APS = false;
  int APSMin = 60;
  int VolCD = 0;
  int VolMD = 0;
  int VolAUX = 0;
  int VolUSB = 10;
  int VolWheel = 2;
  int VolUD = 5;
  int VolLR = 1;
  int VolMax = 70;
  bool ShowRadioName = false;
  bool TimerOff = true;  // key "Timer": scheduled timers are not evaluated while true
  bool RemoConEnable = false;
  int RemoConInterval = 3000;
  bool ModeTuner = false;
  bool ModeCD = false;
  bool ModeMD = false;
  bool ModeAUX = false;
  bool ModeUSB = false;
  bool ShowIcon = false;
  bool MinimizeOnRun = false;
  std::string SkinIniName = kDefaultSkinIniName;
  std::string WinAmpPath;
  std::string LilithPath;

  bool operator==(const TOptionData&) const = default;
};

}  // namespace zr4
