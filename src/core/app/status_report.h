// What the window shows, as one line of text or as JSON, for `--status` and desktop panels.
#pragma once

#include <string>

#include "core/app/panel_labels.h"

namespace zr4 {

// The labels in panel order, empty ones left out, e.g. "FM 03 80.00 MHz Auto TONE Vol.22".
std::string FormatStatusLine(const TPanelLabels& labels);

// A JSON object with stable field names:
//   input, presetOrTrack, frequencyOrTime, unit, tuning, playMode, mute, tone, stationName (label
//   texts as the window shows them, "" when empty or hidden) and volume (the slider position, a
//   number).
std::string FormatStatusJson(const TPanelLabels& labels, int volume);

// `text` as a JSON string, quotes included.
std::string JsonString(const std::string& text);

}  // namespace zr4
