#include "core/panel/status_report.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace zr4 {

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          json += escaped;
        } else {
          json += static_cast<char>(c);
        }
    }
  }
  return json + "\"";
}

namespace {
std::string Visible(const std::string& text, bool visible) {
  return visible ? LabelDisplayText(text) : std::string();
}
}  // namespace

std::string FormatStatusLine(const TPanelLabels& l, const std::string& title) {
  const std::string parts[] = {l.lbInput,
                               l.lbPresetNum,
                               Visible(l.lbRadioNum, l.lbRadioNumVisible),
                               Visible(l.lbRadioName, l.lbRadioNameVisible),
                               Visible(l.lbHz, l.lbHzVisible),
                               l.lbAutoManu,
                               LabelDisplayText(l.lbRepeat),
                               l.lbMute,
                               l.lbTone,
                               l.lbVolStr + l.lbVol};
  std::string line;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!line.empty()) line += ' ';
    line += part;
  }
  return title.empty() ? line : line + " | " + title;
}

std::string PanelDescription(const TPanelLabels& labels, const std::string& mark) {
  const std::string line = FormatStatusLine(labels);
  return mark.empty() ? line : line + ' ' + mark;
}

std::string FormatStatusJson(const TPanelLabels& l, int volume, const std::string& title,
                             bool simulated) {
  // The frequency label keeps the tuner's frequency while a station name hides it; on the other
  // inputs it holds a play time or nothing.
  const bool tuner = l.lbInput == "FM" || l.lbInput == "AM";
  const std::vector<std::pair<const char*, std::string>> fields = {
      {"input", l.lbInput},
      {"presetOrTrack", l.lbPresetNum},
      {"frequencyOrTime", Visible(l.lbRadioNum, l.lbRadioNumVisible)},
      {"unit", Visible(l.lbHz, l.lbHzVisible)},
      {"tuning", l.lbAutoManu},
      {"playMode", LabelDisplayText(l.lbRepeat)},
      {"mute", l.lbMute},
      {"tone", l.lbTone},
      {"stationName", Visible(l.lbRadioName, l.lbRadioNameVisible)},
      {"tunerFrequency", tuner ? l.lbRadioNum : std::string()},
      {"tunerUnit", tuner ? l.lbHz : std::string()},
  };
  std::string json = "{";
  for (const auto& [name, value] : fields) json += JsonString(name) + ":" + JsonString(value) + ",";
  return json + "\"volume\":" + std::to_string(volume) + ",\"title\":" + JsonString(title) +
         ",\"simulated\":" + (simulated ? "true" : "false") + "}";
}

}  // namespace zr4
