// The station list read from "Radio.ini": names by frequency, [FM] keys such as 80.00 and [AM]
// keys such as 0531 or 1242, written as the window shows the frequency.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/base/ini_file.h"

namespace zr4 {

// "Radio.ini" in the folder of the settings file at `settingsPath`.
std::string RadioFilePath(const std::string& settingsPath);

// The station list: "frequency,name" for each key of [FM], then of [AM], in file order; a key
// without a value gives the name "0".
std::vector<std::string> ReadStations(const TIniFile& ini);

// The name of the first entry whose frequency equals `frequency` exactly: the text between the
// first and a second comma. Empty when the frequency is not listed.
std::optional<std::string> FindStationName(const std::vector<std::string>& stations,
                                           const std::string& frequency);

}  // namespace zr4
