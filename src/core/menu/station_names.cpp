#include "core/menu/station_names.h"

#include "core/base/ini_file.h"
#include "core/device/zr4ctrl.h"
#include "core/menu/popup_menu_model.h"
#include "core/panel/panel_labels.h"
#include "core/panel/status_display.h"
#include "core/settings/option_data.h"
#include "core/settings/settings.h"

namespace zr4 {

namespace {
constexpr int kDirectEntries = 20;
}

void TStationNames::LoadStations(const SettingsStorage* storage) {
  stations_.clear();
  if (storage == nullptr) return;
  TIniFile ini;
  LoadIniFile(storage->Files, storage->Codec, RadioFilePath(storage->Path), ini);
  stations_ = ReadStations(ini);
}

void TStationNames::ShowStationName() {
  const std::string frequency = display_.Labels().lbRadioNum;
  const std::optional<std::string> name = FindStationName(stations_, frequency);
  if (name) {
    display_.ShowStationName(*name);
  } else {
    display_.ShowFrequency();
  }
  const int preset = link_.Status.Preset;
  if (preset < 1 || preset > kDirectEntries) return;
  TMenuItem* direct = menu_.Find({"&TUNER", "Direct"});
  if (direct == nullptr) return;
  for (TMenuItem& entry : direct->Items)
    if (entry.Command == TMenuCommand::TunerDirect && entry.Number == preset)
      entry.Caption = TwoDigits(preset) + ": " + name.value_or(frequency);
}

bool TStationNames::LabelMenuPops() const {
  const int source = link_.Status.Source;
  return source == kInputFM || source == kInputAM;
}

void TStationNames::LabelMenuClick() {
  bool& show = options_.ShowRadioName;
  show = !show;
  if (show) {
    ShowStationName();
  } else {
    display_.ShowFrequency();
  }
}

}  // namespace zr4
