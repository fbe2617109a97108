// Loading and saving the settings file: sections, keys, defaults and their order.
#include "core/app/settings.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/app/controller.h"
#include "core/app/ini_file.h"
#include "core/app/same_text.h"
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
}  // namespace

TTrayClickNames DefaultTrayClickNames() {
  return {"actPopupMenu", "", "actMinimizeRestore", "", "actSetForeground", ""};
}

void TController::LoadSettings() {
  if (settings_ == nullptr) return;
  TIniFile ini;
  if (LoadIniFile(settings_->Files, settings_->Codec, settings_->Path, ini) ==
      FileRead::Result::Failed)
    LogText("LoadSettings: cannot read " + settings_->Path);

  const TRect window = view_.WindowRect();
  view_.MoveWindow(ini.ReadInteger(kWindow, "Left", window.left),
                   ini.ReadInteger(kWindow, "Top", window.top));

  const TOptionData d;
  TOptionData o;
  o.OptionPage = Options.OptionPage;
  o.AutoOn = ini.ReadBool(kSetting, "AutoOn", d.AutoOn);
  o.AutoOff = ini.ReadBool(kSetting, "AutoOff", d.AutoOff);
  o.TimerOff = ini.ReadBool(kSetting, "Timer", d.TimerOff);
  o.NBCut = ini.ReadBool(kSetting, "NBCut", d.NBCut);
  o.NB2Cut = ini.ReadBool(kSetting, "NB2Cut", d.NB2Cut);
  o.SkinIniName = ini.ReadString(kSetting, "SkinIniName", d.SkinIniName);
  OnTop = ini.ReadBool(kSetting, "OnTop", false);
  o.ShowRadioName = ini.ReadBool(kSetting, "ShowRadioName", d.ShowRadioName);
  o.AutoVolChange = ini.ReadBool(kSetting, "AutoVolChange", d.AutoVolChange);
  o.VolCD = ini.ReadInteger(kSetting, "VolCD", d.VolCD);
  o.VolMD = ini.ReadInteger(kSetting, "VolMD", d.VolMD);
  o.VolAUX = ini.ReadInteger(kSetting, "VolAUX", d.VolAUX);
  o.VolUSB = ini.ReadInteger(kSetting, "VolUSB", d.VolUSB);
  o.VolWheel = ini.ReadInteger(kSetting, "VolWheel", d.VolWheel);
  o.VolLR = ini.ReadInteger(kSetting, "VolLR", d.VolLR);
  o.VolUD = ini.ReadInteger(kSetting, "VolUD", d.VolUD);
  o.VolMax = ini.ReadInteger(kSetting, "VolMax", d.VolMax);
  o.APS = ini.ReadBool(kSetting, "A.P.S.", d.APS);
  o.APSMin = std::clamp(ini.ReadInteger(kSetting, "A.P.S.Min", d.APSMin), 0, kApsMinLast);
  o.ShowIcon = ini.ReadBool(kSetting, "ShowIcon", d.ShowIcon);
  IconChange = ini.ReadBool(kSetting, "IconChange", false);
  IconName = ini.ReadString(kSetting, "IconName", "");
  o.MinimizeOnRun = ini.ReadBool(kSetting, "MinimizeOnRun", d.MinimizeOnRun);
  o.SuspendOn = ini.ReadBool(kSetting, "SuspendOn", d.SuspendOn);
  o.SuspendOff = ini.ReadBool(kSetting, "SuspendOff", d.SuspendOff);

  o.RemoConEnable = ini.ReadBool(kRemoCon, "Enable", d.RemoConEnable);
  o.RemoConInterval = ini.ReadInteger(kRemoCon, "Interval", d.RemoConInterval);

  // Numbered keys load until the first one missing; the empty value that ends the gestures is
  // kept as the list's last entry.
  GestureList.clear();
  for (int n = 0;; ++n) {
    GestureList.push_back(ini.ReadString(kRemoCon, Numbered("Cmd", n), ""));
    if (GestureList.back().empty()) break;
  }

  TimerList.Clear();
  for (int n = 0;; ++n) {
    const std::string line = ini.ReadString(kTimer, Numbered("Timer", n), "");
    if (line.empty()) break;
    if (const auto item = TimerFromText(line, n)) {
      TimerList.Add(*item);
    } else {
      LogText("LoadSettings: skipped Timer" + std::to_string(n) + "=" + line +
              " (day, hour and minute must be numbers)");
    }
  }

  o.WinAmpPath = ini.ReadString(kOther, "WinAmpPath", d.WinAmpPath);
  o.LilithPath = ini.ReadString(kOther, "LilithPath", d.LilithPath);

  const std::vector<std::string> modes =
      SplitAtCommas(ini.ReadString(kSetting, "ModeBtn", "0,0,0,0,0"));
  o.ModeTuner = ModeFlag(modes, 0);
  o.ModeCD = ModeFlag(modes, 1);
  o.ModeMD = ModeFlag(modes, 2);
  o.ModeAUX = ModeFlag(modes, 3);
  o.ModeUSB = ModeFlag(modes, 4);
  Options = o;

  const TTrayClickNames defaults = DefaultTrayClickNames();
  for (std::size_t kind = 0; kind < kTrayKeys.size(); ++kind)
    TrayClickNames[kind] = ini.ReadString(kSetting, kTrayKeys[kind], defaults[kind]);
}

void TController::SaveSettings() {
  if (settings_ == nullptr) return;
  const std::string failed = settings_->Path + kWriteFailedSuffix;

  // Keys of the file that the program does not know survive the save. A file that exists but
  // cannot be read is not replaced.
  const FileRead before = settings_->Files.ReadFile(settings_->Path);
  if (before.result == FileRead::Result::Failed) {
    view_.ShowMessage(failed);
    return;
  }
  TIniFile ini;
  if (before.result == FileRead::Result::Ok)
    ini = TIniFile::Parse(DecodeIniText(before.bytes, settings_->Codec));

  const TRect window = view_.WindowRect();
  ini.WriteInteger(kWindow, "Left", window.left);
  ini.WriteInteger(kWindow, "Top", window.top);

  const TOptionData& o = Options;
  ini.WriteBool(kSetting, "AutoOn", o.AutoOn);
  ini.WriteBool(kSetting, "AutoOff", o.AutoOff);
  ini.WriteBool(kSetting, "Timer", o.TimerOff);
  ini.WriteBool(kSetting, "NBCut", o.NBCut);
  ini.WriteBool(kSetting, "NB2Cut", o.NB2Cut);
  ini.WriteString(kSetting, "SkinIniName", o.SkinIniName);
  ini.WriteBool(kSetting, "OnTop", OnTop);
  ini.WriteBool(kSetting, "ShowRadioName", o.ShowRadioName);
  ini.WriteBool(kSetting, "AutoVolChange", o.AutoVolChange);
  ini.WriteInteger(kSetting, "VolCD", o.VolCD);
  ini.WriteInteger(kSetting, "VolMD", o.VolMD);
  ini.WriteInteger(kSetting, "VolAUX", o.VolAUX);
  ini.WriteInteger(kSetting, "VolUSB", o.VolUSB);
  ini.WriteInteger(kSetting, "VolWheel", o.VolWheel);
  ini.WriteInteger(kSetting, "VolLR", o.VolLR);
  ini.WriteInteger(kSetting, "VolUD", o.VolUD);
  ini.WriteInteger(kSetting, "VolMax", o.VolMax);
  ini.WriteBool(kSetting, "A.P.S.", o.APS);
  ini.WriteInteger(kSetting, "A.P.S.Min", o.APSMin);
  ini.WriteBool(kSetting, "ShowIcon", o.ShowIcon);
  ini.WriteBool(kSetting, "IconChange", IconChange);
  ini.WriteString(kSetting, "IconName", IconName);
  ini.WriteBool(kSetting, "MinimizeOnRun", o.MinimizeOnRun);
  ini.WriteBool(kSetting, "SuspendOff", o.SuspendOff);
  ini.WriteBool(kSetting, "SuspendOn", o.SuspendOn);

  ini.EraseSection(kRemoCon);
  ini.WriteBool(kRemoCon, "Enable", o.RemoConEnable);
  ini.WriteInteger(kRemoCon, "Interval", o.RemoConInterval);
  // Numbered without gaps: loading stops at the first missing number, so an empty entry in the
  // middle of the list must not leave a hole that hides the entries after it.
  int gesture = 0;
  for (const std::string& entry : GestureList)
    if (!entry.empty()) ini.WriteString(kRemoCon, Numbered("Cmd", gesture++), entry);

  ini.EraseSection(kTimer);
  for (int i = 0; i < TimerList.Count(); ++i)
    ini.WriteString(kTimer, Numbered("Timer", i), TimerToText(TimerList.GetItem(i)));

  ini.WriteString(kOther, "WinAmpPath", o.WinAmpPath);
  ini.WriteString(kOther, "LilithPath", o.LilithPath);
  ini.WriteString(kSetting, "Modebtn", ModeText(o));
  for (std::size_t kind = 0; kind < kTrayKeys.size(); ++kind)
    ini.WriteString(kSetting, kTrayKeys[kind], TrayClickNames[kind]);

  const std::string text = ini.Serialize();
  if (before.result == FileRead::Result::Ok && before.bytes == text) return;
  if (!settings_->Files.WriteFileAtomic(settings_->Path, text)) view_.ShowMessage(failed);
}

}  // namespace zr4
