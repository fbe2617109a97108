#include "core/settings/settings.h"

#include <algorithm>
#include <variant>

#include "core/base/same_text.h"
#include "core/pcactions/timer_text.h"
#include "core/ports/log.h"

namespace zr4 {

namespace {
constexpr const char* kWindow = "Window";
constexpr const char* kSetting = "Setting";
constexpr const char* kRemoCon = "RemoCon";
constexpr const char* kTimer = "Timer";
constexpr const char* kOther = "Other";

constexpr std::array<const char*, 6> kTrayKeys = {"TrayRightSingleClick",  "TrayRightDoubleClick",
                                                  "TrayLeftSingleClick",   "TrayLeftDoubleClick",
                                                  "TrayMiddleSingleClick", "TrayMiddleDoubleClick"};

// The countdown works in minutes of one day; a hand-edited value past it is pulled back.
constexpr int kApsMinLast = 1439;

// A plain value of the file: where it lives and which field of the record holds it.
template <typename T>
using Field = T& (*)(TSettings&);

template <auto Member>
auto& Option(TSettings& s) {
  return s.Options.*Member;
}
template <auto Member>
auto& Own(TSettings& s) {
  return s.*Member;
}

struct PlainKey {
  const char* section;
  const char* key;
  std::variant<Field<bool>, Field<int>, Field<std::string>> field;
};

// In the order the file is written.
const PlainKey kSettingKeys[] = {
    {kSetting, "AutoOn", &Option<&TOptionData::AutoOn>},
    {kSetting, "AutoOff", &Option<&TOptionData::AutoOff>},
    {kSetting, "Timer", &Option<&TOptionData::TimerOff>},
    {kSetting, "NBCut", &Option<&TOptionData::NBCut>},
    {kSetting, "NB2Cut", &Option<&TOptionData::NB2Cut>},
    {kSetting, "SkinIniName", &Option<&TOptionData::SkinIniName>},
    {kSetting, "OnTop", &Own<&TSettings::OnTop>},
    {kSetting, "ShowRadioName", &Option<&TOptionData::ShowRadioName>},
    {kSetting, "AutoVolChange", &Option<&TOptionData::AutoVolChange>},
    {kSetting, "VolCD", &Option<&TOptionData::VolCD>},
    {kSetting, "VolMD", &Option<&TOptionData::VolMD>},
    {kSetting, "VolAUX", &Option<&TOptionData::VolAUX>},
    {kSetting, "VolUSB", &Option<&TOptionData::VolUSB>},
    {kSetting, "VolWheel", &Option<&TOptionData::VolWheel>},
    {kSetting, "VolLR", &Option<&TOptionData::VolLR>},
    {kSetting, "VolUD", &Option<&TOptionData::VolUD>},
    {kSetting, "VolMax", &Option<&TOptionData::VolMax>},
    {kSetting, "A.P.S.", &Option<&TOptionData::APS>},
    {kSetting, "A.P.S.Min", &Option<&TOptionData::APSMin>},
    {kSetting, "ShowIcon", &Option<&TOptionData::ShowIcon>},
    {kSetting, "IconChange", &Own<&TSettings::IconChange>},
    {kSetting, "IconName", &Own<&TSettings::IconName>},
    {kSetting, "MinimizeOnRun", &Option<&TOptionData::MinimizeOnRun>},
    {kSetting, "SuspendOff", &Option<&TOptionData::SuspendOff>},
    {kSetting, "SuspendOn", &Option<&TOptionData::SuspendOn>},
};
const PlainKey kRemoConKeys[] = {
    {kRemoCon, "Enable", &Option<&TOptionData::RemoConEnable>},
    {kRemoCon, "Interval", &Option<&TOptionData::RemoConInterval>},
};
const PlainKey kOtherKeys[] = {
    {kOther, "WinAmpPath", &Option<&TOptionData::WinAmpPath>},
    {kOther, "LilithPath", &Option<&TOptionData::LilithPath>},
};

template <std::size_t N>
void ReadKeys(const PlainKey (&keys)[N], const TIniFile& ini, TSettings& s) {
  TSettings defaults;
  for (const PlainKey& k : keys) {
    std::visit(
        [&](auto field) {
          auto& value = field(s);
          const auto& fallback = field(defaults);
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, bool>) {
            value = ini.ReadBool(k.section, k.key, fallback);
          } else if constexpr (std::is_same_v<T, int>) {
            value = ini.ReadInteger(k.section, k.key, fallback);
          } else {
            value = ini.ReadString(k.section, k.key, fallback);
          }
        },
        k.field);
  }
}

template <std::size_t N>
void WriteKeys(const PlainKey (&keys)[N], const TSettings& settings, TIniFile& ini) {
  TSettings s = settings;  // the table's fields give references to change; these are only read
  for (const PlainKey& k : keys) {
    std::visit(
        [&](auto field) {
          const auto& value = field(s);
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, bool>) {
            ini.WriteBool(k.section, k.key, value);
          } else if constexpr (std::is_same_v<T, int>) {
            ini.WriteInteger(k.section, k.key, value);
          } else {
            ini.WriteString(k.section, k.key, value);
          }
        },
        k.field);
  }
}

std::string Numbered(const char* key, int n) {
  return key + std::to_string(n);
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

// "0" is false, any other number true, "True" and "False" are accepted; anything else (a missing
// field included) reads as false with a diagnostic, so that start-up goes on.
bool ModeFlag(const std::vector<std::string>& fields, std::size_t index) {
  if (index >= fields.size()) return false;
  const std::string& field = fields[index];
  int number = 0;
  if (ParseInteger(field, number)) return number != 0;
  if (SameText(field, "True")) return true;
  if (!SameText(field, "False"))
    LogText("LoadSettings: ModeBtn field " + std::to_string(index + 1) +
            " is not a boolean: " + field);
  return false;
}

std::string ModeText(const TOptionData& o) {
  const bool flags[] = {o.ModeTuner, o.ModeCD, o.ModeMD, o.ModeAUX, o.ModeUSB};
  std::string text;
  for (bool flag : flags) text += std::string(text.empty() ? "" : ",") + (flag ? "1" : "0");
  return text;
}

void ReadGestures(const TIniFile& ini, TSettings& s) {
  // Numbered keys load until the first one missing; the empty value that ends the gestures is
  // kept as the list's last entry.
  for (int n = 0;; ++n) {
    s.GestureList.push_back(ini.ReadString(kRemoCon, Numbered("Cmd", n), ""));
    if (s.GestureList.back().empty()) break;
  }
}

void WriteGestures(const TSettings& s, TIniFile& ini) {
  // Numbered without gaps: loading stops at the first missing number, so an empty entry in the
  // middle of the list must not leave a hole that hides the entries after it.
  int gesture = 0;
  for (const std::string& entry : s.GestureList)
    if (!entry.empty()) ini.WriteString(kRemoCon, Numbered("Cmd", gesture++), entry);
}

void ReadTimers(const TIniFile& ini, TSettings& s) {
  for (int n = 0;; ++n) {
    const std::string line = ini.ReadString(kTimer, Numbered("Timer", n), "");
    if (line.empty()) break;
    if (const auto item = TimerFromText(line, n)) {
      s.TimerList.Add(*item);
    } else {
      LogText("LoadSettings: kept Timer" + std::to_string(n) + "=" + line +
              " without running it (day, hour and minute must be numbers)");
      s.UnreadTimers.push_back({n, line});
    }
  }
}

// The timers and the values that did not read as timers, each of those at its old place.
void WriteTimers(const TSettings& s, TIniFile& ini) {
  const int total = s.TimerList.Count() + static_cast<int>(s.UnreadTimers.size());
  int timer = 0;
  std::size_t unread = 0;
  for (int n = 0; n < total; ++n) {
    std::string text;
    if (unread < s.UnreadTimers.size() &&
        (s.UnreadTimers[unread].Position <= n || timer == s.TimerList.Count())) {
      text = s.UnreadTimers[unread++].Text;
    } else {
      text = TimerToText(s.TimerList.GetItem(timer++));
    }
    ini.WriteString(kTimer, Numbered("Timer", n), text);
  }
}

}  // namespace

TTrayClickNames DefaultTrayClickNames() {
  return {"actPopupMenu", "", "actMinimizeRestore", "", "actSetForeground", ""};
}

TSettings ReadSettings(const TIniFile& ini, int currentLeft, int currentTop) {
  TSettings s;
  s.WindowLeft = ini.ReadInteger(kWindow, "Left", currentLeft);
  s.WindowTop = ini.ReadInteger(kWindow, "Top", currentTop);
  ReadKeys(kSettingKeys, ini, s);
  s.Options.APSMin = std::clamp(s.Options.APSMin, 0, kApsMinLast);
  ReadKeys(kRemoConKeys, ini, s);
  ReadGestures(ini, s);
  ReadTimers(ini, s);
  ReadKeys(kOtherKeys, ini, s);

  const std::vector<std::string> modes =
      SplitAtCommas(ini.ReadString(kSetting, "ModeBtn", "0,0,0,0,0"));
  TOptionData& o = s.Options;
  o.ModeTuner = ModeFlag(modes, 0);
  o.ModeCD = ModeFlag(modes, 1);
  o.ModeMD = ModeFlag(modes, 2);
  o.ModeAUX = ModeFlag(modes, 3);
  o.ModeUSB = ModeFlag(modes, 4);

  for (std::size_t kind = 0; kind < kTrayKeys.size(); ++kind)
    s.TrayClickNames[kind] = ini.ReadString(kSetting, kTrayKeys[kind], s.TrayClickNames[kind]);
  return s;
}

void WriteSettings(const TSettings& s, TIniFile& ini) {
  ini.WriteInteger(kWindow, "Left", s.WindowLeft);
  ini.WriteInteger(kWindow, "Top", s.WindowTop);
  WriteKeys(kSettingKeys, s, ini);

  ini.EraseSection(kRemoCon);
  WriteKeys(kRemoConKeys, s, ini);
  WriteGestures(s, ini);

  ini.EraseSection(kTimer);
  WriteTimers(s, ini);

  WriteKeys(kOtherKeys, s, ini);
  ini.WriteString(kSetting, "Modebtn", ModeText(s.Options));
  for (std::size_t kind = 0; kind < kTrayKeys.size(); ++kind)
    ini.WriteString(kSetting, kTrayKeys[kind], s.TrayClickNames[kind]);
}

}  // namespace zr4
