// What the window shows, as one line of text or as JSON, for `--status` and desktop panels.
#pragma once

#include <string>

#include "core/panel/panel_labels.h"

namespace zr4 {

// The labels in panel order, empty ones left out, e.g. "FM 03 80.00 MHz Auto TONE Vol.22"; with
// a title, it follows after " | " ("... Vol.22 | ZR4PCCtrl - Sleep 1:29").
std::string FormatStatusLine(const TPanelLabels& labels, const std::string& title = {});

// A JSON object with stable field names:
//   input, presetOrTrack, frequencyOrTime, unit, tuning, playMode, mute, tone, stationName (label
//   texts as the window shows them, "" when empty or hidden), tunerFrequency and tunerUnit (on
//   the tuner its frequency and unit even while a station name hides them, else ""), volume (the
//   slider position, a number) and title (the application title, which shows a running countdown).
std::string FormatStatusJson(const TPanelLabels& labels, int volume, const std::string& title);

// `text` as a JSON string, quotes included.
std::string JsonString(const std::string& text);

}  // namespace zr4
