#include "core/app/station_names.h"

#include "core/app/controller.h"

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
  const std::string frequency = c_.Labels().lbRadioNum;
  const std::optional<std::string> name = FindStationName(stations_, frequency);
  if (name) {
    c_.Display().ShowStationName(*name);
  } else {
    c_.Display().ShowFrequency();
  }
  const int preset = c_.Link().Status.Preset;
  if (preset < 1 || preset > kDirectEntries) return;
  TMenuItem* direct = c_.PopupMenu1().Find({"&TUNER", "Direct"});
  if (direct == nullptr) return;
  for (TMenuItem& entry : direct->Items)
    if (entry.Command == TMenuCommand::TunerDirect && entry.Number == preset)
      entry.Caption = TwoDigits(preset) + ": " + name.value_or(frequency);
}

bool TStationNames::LabelMenuPops() const {
  const int source = c_.Link().Status.Source;
  return source == kInputFM || source == kInputAM;
}

void TStationNames::LabelMenuClick() {
  bool& show = c_.Options().ShowRadioName;
  show = !show;
  if (show) {
    ShowStationName();
  } else {
    c_.Display().ShowFrequency();
  }
}

}  // namespace zr4
