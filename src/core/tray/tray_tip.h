// The tray icon's tip: the panel's status in one line.
#pragma once

#include <string>

#include "core/panel/panel_labels.h"

namespace zr4 {

// The tip holds at most 63 bytes.
constexpr std::size_t kTrayTipMaxBytes = 63;

// Input, preset, frequency with its unit and volume ("CD01 12 Vol.20"); while a countdown runs,
// `countdownTitle` (the application title that shows it) and two blanks come first. Cut to 63
// bytes, never inside a character.
std::string TrayTipText(const TPanelLabels& labels, const std::string& countdownTitle);

// `text` cut to at most `maxBytes` bytes of UTF-8 without splitting a character.
std::string CutUtf8(const std::string& text, std::size_t maxBytes);

}  // namespace zr4
