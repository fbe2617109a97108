#include "core/panel/display_model.h"

#include <cstdio>
#include <string>

namespace zr4 {

namespace {

const char* ToneText(int mode) {
  switch (mode) {
    case 1:
      return "TONE";
    case 2:
      return "N.B.1";
    case 3:
      return "N.B.2";
    default:
      return "";
  }
}

const char* TuneText(int mode) {
  switch (mode) {
    case 1:
      return "Auto";
    case 2:
      return "Manual";
    default:
      return "";
  }
}

const char* PlayModeText(int mode) {
  switch (mode) {
    case 1:
      return "repeat";
    case 2:
      return "repAll";
    case 3:
      return "random";
    case 4:
      return "rep&&ran";  // the label shows a doubled ampersand as one
    default:
      return "";
  }
}

std::string Format(const char* format, int high, int low) {
  char text[32];
  std::snprintf(text, sizeof text, format, high, low);
  return text;
}

}  // namespace

TPanelLabels DisplayLabels(const TDeviceStatus& status, TPanelLabels l) {
  l.lbMute = status.Mute == 1 ? "Mute" : "";
  l.lbTone = ToneText(status.ToneMode);
  l.lbVol = TwoDigits(status.Volume);

  switch (status.Source) {
    case kInputFM:
    case kInputAM: {
      const bool fm = status.Source == kInputFM;
      l.lbInput = fm ? "FM" : "AM";
      l.lbPresetNum = TwoDigits(status.Preset);
      l.lbRadioNum = Format(fm ? "%.2d.%.2d" : "%.2d%.2d", status.FreqHigh, status.FreqLow);
      l.lbHz = fm ? "MHz" : "kHz";
      // Selecting the CD hides the unit; it comes back with the frequency unless a station name
      // stands in its place.
      if (!l.lbRadioNameVisible) l.lbHzVisible = true;
      l.lbAutoManu = TuneText(status.TuneMode);
      l.lbRepeat = "";
      break;
    }
    case kInputCD:
      l.lbInput = "CD";
      l.lbPresetNum = TwoDigits(status.CdTrack);
      l.lbRadioNum = Format("%.2d:%.2d", status.CdMinute, status.CdSecond);
      l.lbHz = "";
      l.lbAutoManu = "";
      l.lbRepeat = PlayModeText(status.PlayMode);
      l.lbRadioName = "";
      l.lbRadioNumVisible = true;
      break;
    case kInputMD:
    case kInputAUX:
    case kInputUSB:
      l.lbInput = status.Source == kInputMD    ? "MD"
                  : status.Source == kInputAUX ? "TAPE/AUX"
                  : status.UsbPlayback == 1    ? "PC USB PB"
                                               : "PC USB";
      l.lbPresetNum = l.lbRadioNum = l.lbHz = l.lbAutoManu = l.lbRepeat = "";
      l.lbRadioName = "";
      l.lbRadioNameVisible = false;
      break;
    default:
      break;
  }
  return l;
}

}  // namespace zr4
