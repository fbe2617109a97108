// Radio station names: "Radio.ini" lists names by frequency ([FM] keys such as 80.00, [AM] keys
// such as 0531 or 1242, written as the window shows them). With ShowRadioName set, a listed
// frequency shows its name in place of the frequency and unit, and the TUNER "Direct" entry of
// the tuned preset takes the name (or the frequency) as its caption.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app/ini_file.h"

namespace zr4 {

class TController;
struct SettingsStorage;

// The caption of the one entry of the menu on the frequency and station-name labels.
constexpr const char* kLabelMenuCaption = "表示変更";

// "Radio.ini" in the folder of the settings file at `settingsPath`.
std::string RadioFilePath(const std::string& settingsPath);

// The station list: "frequency,name" for each key of [FM], then of [AM], in file order; a key
// without a value gives the name "0".
std::vector<std::string> ReadStations(const TIniFile& ini);

// The name of the first entry whose frequency equals `frequency` exactly: the text between the
// first and a second comma. Empty when the frequency is not listed.
std::optional<std::string> FindStationName(const std::vector<std::string>& stations,
                                           const std::string& frequency);

class TStationNames {
 public:
  explicit TStationNames(TController& controller) : c_(controller) {}

  // Reads "Radio.ini" once, at start; a missing or unreadable file lists nothing.
  void LoadStations(const SettingsStorage* storage);
  const std::vector<std::string>& Stations() const { return stations_; }

  // Looks up the frequency the window shows and switches the labels between name and
  // frequency; labels the tuned preset's "Direct" entry.
  void ShowStationName();

  // The label menu pops up only while the input is FM or AM; elsewhere the right click is
  // swallowed.
  bool LabelMenuPops() const;
  // "表示変更": switches ShowRadioName.
  void LabelMenuClick();

 private:
  TController& c_;
  std::vector<std::string> stations_;
};

}  // namespace zr4
