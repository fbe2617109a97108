// What the window shows, as one line of text or as JSON, for `--status` and desktop panels.
#pragma once

#include <string>

#include "core/panel/panel_labels.h"

namespace zr4 {

// The labels in panel order, empty ones left out, e.g. "FM 03 80.00 MHz Auto TONE Vol.22"; with
// a title, it follows after " | " ("... Vol.22 | ZR4PCCtrl - Sleep 1:29").
std::string FormatStatusLine(const TPanelLabels& labels, const std::string& title = {});

// The mark the window shows while the simulated component stands in for a ZR4PC, so that nobody
// takes it for the real one.
inline constexpr const char* kSimulatedMark = "SIM";

// The window's description for screen readers: the status line without the title, then the
// mark when there is one ("FM 01 80.00 MHz Auto TONE Vol.22 SIM").
std::string PanelDescription(const TPanelLabels& labels, const std::string& mark);

// A JSON object with stable field names:
//   input, presetOrTrack, frequencyOrTime, unit, tuning, playMode, mute, tone, stationName (label
//   texts as the window shows them, "" when empty or hidden), tunerFrequency and tunerUnit (on
//   the tuner its frequency and unit even while a station name hides them, else ""), volume (the
//   slider position, a number), title (the application title, which shows a running countdown)
//   and simulated (true while the simulated component stands in).
std::string FormatStatusJson(const TPanelLabels& labels, int volume, const std::string& title,
                             bool simulated);

// `text` as a JSON string, quotes included.
std::string JsonString(const std::string& text);

}  // namespace zr4
