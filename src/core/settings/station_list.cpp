#include "core/settings/station_list.h"

#include "core/settings/settings_path.h"

namespace zr4 {

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
    if (comma != frequency.size() || entry.compare(0, comma, frequency) != 0) continue;
    const std::string rest = entry.substr(comma + 1);
    return rest.substr(0, rest.find(','));
  }
  return std::nullopt;
}

}  // namespace zr4
