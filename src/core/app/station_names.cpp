#include "core/app/station_names.h"

#include "core/app/controller.h"
#include "core/app/settings_path.h"

namespace zr4 {

namespace {
constexpr int kDirectEntries = 20;
}

std::string RadioFilePath(const std::string& settingsPath) {
  return FileBesideSettings(settingsPath, "Radio.ini");
}

std::vector<std::string> ReadStations(const TIniFile& ini) {
  std::vector<std::string> stations;
  for (const char* section : {"FM", "AM"})
    for (const std::string& key : ini.SectionKeys(section))
      stations.push_back(key + "," + ini.ReadString(section, key, "0"));
  return stations;
}

std::optional<std::string> FindStationName(const std::vector<std::string>& stations,
                                           const std::string& frequency) {
  for (const std::string& entry : stations) {
    const std::size_t comma = entry.find(',');
    if (entry.compare(0, comma, frequency) != 0 || comma != frequency.size()) continue;
    const std::string rest = entry.substr(comma + 1);
    return rest.substr(0, rest.find(','));
  }
  return std::nullopt;
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
