// What `--check-skin` prints about a loaded skin: for people as lines of text, for scripts as one
// JSON object.
#pragma once

#include <string>
#include <vector>

#include "core/skin/skin.h"

namespace zr4 {

std::string FormatSkinReport(const TSkinLook& look, const std::vector<std::string>& warnings);
std::string FormatSkinReportJson(const TSkinLook& look, const std::vector<std::string>& warnings);

}  // namespace zr4
