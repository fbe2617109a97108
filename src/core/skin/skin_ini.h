// Reads a skin's INI text (skin.ini, or a strip skin's INI file) into TSkinInfo.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/skin/skin_info.h"

namespace zr4 {

// A skin that cannot be used: an unreadable colour, picture or archive.
class ESkinError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads `text` (UTF-8) into `info`. `path` only names the file in messages (empty for archive
// skins); the messages of damaged sections are added to `warnings` and reading goes on. Returns
// whether the text has a [TransparentColor] section (a shaped skin in a folder). An unreadable
// transparent colour throws ESkinError.
bool ReadSkinIni(TSkinInfo& info, std::string_view text, const std::string& path,
                 std::vector<std::string>& warnings);

// A decimal integer, or hexadecimal after "$" or "0x"; nothing for any other text.
std::optional<int> ParseSkinInteger(std::string_view text);
// A colour name ("clBlack", "clBtnFace", ...) or an integer $00BBGGRR; nothing when unreadable.
std::optional<std::uint32_t> ParseSkinColor(std::string_view text);

}  // namespace zr4
