// Radio station names on the panel: with ShowRadioName set, a frequency listed in "Radio.ini"
// shows its name in place of the frequency and unit, and the TUNER "Direct" entry of the tuned
// preset takes the name (or the frequency) as its caption.
#pragma once

#include <string>
#include <vector>

#include "core/settings/station_list.h"

namespace zr4 {

class TPopupMenuModel;
class TStatusDisplay;
class TZR4Ctrl;
struct SettingsStorage;
struct TOptionData;

// The caption of the one entry of the menu on the frequency and station-name labels.
constexpr const char* kLabelMenuCaption = "表示変更";

class TStationNames {
 public:
  // `display` shows the name or the frequency; `menu` holds the TUNER "Direct" entries;
  // `options` holds ShowRadioName, which the label menu switches.
  TStationNames(TStatusDisplay& display, const TZR4Ctrl& link, TPopupMenuModel& menu,
                TOptionData& options)
      : display_(display), link_(link), menu_(menu), options_(options) {}

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
  TStatusDisplay& display_;
  const TZR4Ctrl& link_;
  TPopupMenuModel& menu_;
  TOptionData& options_;
  std::vector<std::string> stations_;
};

}  // namespace zr4
