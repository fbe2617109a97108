// The texts of the controller window's labels, as the display model sets them.
#pragma once

#include <string>

namespace zr4 {

struct TPanelLabels {
  std::string lbInput = "TAPE/AUX";
  std::string lbPresetNum = "00";
  std::string lbRadioNum = "80.80.";
  std::string lbHz = "MHz";
  std::string lbAutoManu = "Manual";
  std::string lbRepeat = "repeat";
  std::string lbMute = "Mute";
  std::string lbTone = "Tone";
  std::string lbVol = "22";
  std::string lbVolStr = "Vol.";
  std::string lbRadioName;
  bool lbRadioNumVisible = true;
  bool lbRadioNameVisible = false;
  bool lbHzVisible = true;

  bool operator==(const TPanelLabels&) const = default;
};

// "%.2d": at least two digits with a leading zero; larger numbers keep all their digits.
std::string TwoDigits(int value);

// What a label shows for a text set with a doubled ampersand ("rep&&ran" reads rep&ran).
std::string LabelDisplayText(const std::string& caption);

}  // namespace zr4
