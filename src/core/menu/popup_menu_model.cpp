#include "core/menu/popup_menu_model.h"

#include <cstdio>
#include <utility>

#include "core/commands/action_list.h"
#include "core/commands/commands.h"
#include "core/device/zr4defs.h"
#include "core/menu/shortcuts.h"
#include "core/panel/app_title.h"
#include "core/panel/audio_device_menu.h"
#include "core/panel/window_view.h"
#include "core/settings/settings.h"
#include "core/skin/skin_control.h"
#include "core/timers/sleep_timer.h"
#include "core/tray/task_tray.h"

namespace zr4 {

namespace {

constexpr int kSleepGroup = 1;
constexpr int kAudioDeviceGroup = 66;
constexpr int kSkinGroup = 55;
constexpr int kDirectEntries = 20;
constexpr int kDirectColumnBreak = 11;

TMenuItem Separator() {
  return TMenuItem{.Caption = TMenuItem::kSeparator};
}

TMenuItem Submenu(std::string caption, std::vector<TMenuItem> items) {
  return TMenuItem{.Caption = std::move(caption), .Items = std::move(items)};
}

TMenuItem ActionEntry(std::string caption, std::string action) {
  return TMenuItem{
      .Caption = std::move(caption), .Command = TMenuCommand::Action, .Action = std::move(action)};
}

TMenuItem Entry(std::string caption, TMenuCommand command, int number = 0) {
  return TMenuItem{.Caption = std::move(caption), .Command = command, .Number = number};
}

TMenuItem DeviceKey(std::string caption, std::uint32_t command) {
  return TMenuItem{
      .Caption = std::move(caption), .Command = TMenuCommand::DeviceKey, .DeviceCommand = command};
}

// An entry of a feature the window does not offer yet: in its place, greyed out.
TMenuItem Later(std::string caption, std::string name = {}) {
  return TMenuItem{.Caption = std::move(caption), .Name = std::move(name), .Enabled = false};
}

// "01" … "20" in two columns.
TMenuItem Direct(TMenuCommand command) {
  std::vector<TMenuItem> items;
  for (int n = 1; n <= kDirectEntries; ++n) {
    char caption[8];
    std::snprintf(caption, sizeof caption, "%.2d", n);
    TMenuItem item = Entry(caption, command, n);
    item.Break = n == kDirectColumnBreak;
    items.push_back(std::move(item));
  }
  return Submenu("Direct", std::move(items));
}

TMenuItem SleepEntry(std::string caption, int minutes) {
  TMenuItem item = Entry(std::move(caption), TMenuCommand::Sleep, minutes);
  item.RadioItem = true;
  item.GroupIndex = kSleepGroup;
  return item;
}

TMenuItem Named(TMenuItem item, std::string name) {
  item.Name = std::move(name);
  return item;
}

TMenuItem BuildMenu() {
  TMenuItem tape =
      Submenu("TAPE", {DeviceKey("STOP", cmdTapeStop), DeviceKey("FWD", cmdTapeFwd),
                       DeviceKey("REV", cmdTapeRev), DeviceKey("FF", cmdTapeFF),
                       DeviceKey("FB", cmdTapeFB), ActionEntry("InputLv Up", "actInputLevelUp"),
                       ActionEntry("InputLv Down", "actInputLevelDn")});
  TMenuItem md =
      Submenu("MD", {DeviceKey("PLAY", cmdMdPlay), DeviceKey("STOP", cmdMdStop),
                     DeviceKey("PAUSE", cmdMdPause), DeviceKey("SK UP", cmdMdSkipUp),
                     DeviceKey("SK DOWN", cmdMdSkipDown), DeviceKey("RANDOM", cmdMdRandom),
                     DeviceKey("REPEAT", cmdMdRepeat), DeviceKey("EJECT", cmdMdEject),
                     DeviceKey("FF", cmdMdFF), DeviceKey("FB", cmdMdFB),
                     DeviceKey("COMBIN", cmdMdCombine), DeviceKey("DIVIDE", cmdMdDivide),
                     DeviceKey("REC", cmdMdRec), DeviceKey("OTE", cmdMdOte)});
  TMenuItem borderLess = Named(Entry("BorderLess", TMenuCommand::BorderLess), "BorderLess1");
  borderLess.Visible = false;

  return Submenu(
      "PopupMenu1",
      {
          Submenu("&Volume", {Entry("Vol. &10", TMenuCommand::VolumePreset, 10),
                              Entry("Vol. &20", TMenuCommand::VolumePreset, 20),
                              Entry("Vol. &30", TMenuCommand::VolumePreset, 30),
                              Entry("Vol. &40", TMenuCommand::VolumePreset, 40),
                              Entry("Vol. &50", TMenuCommand::VolumePreset, 50)}),
          Submenu("&Sleep", {SleepEntry("10 min", 10), SleepEntry("20", 20), SleepEntry("30", 30),
                             SleepEntry("40", 40), SleepEntry("50", 50), SleepEntry("60", 60),
                             SleepEntry("90", 90), SleepEntry("120", 120), Separator(),
                             SleepEntry("OFF", 0)}),
          Separator(),
          Submenu(
              "&TUNER",
              {ActionEntry("Select", "actSelectTUNER"), Direct(TMenuCommand::TunerDirect),
               ActionEntry("FM/AM", "actSelectBAND"), ActionEntry("Next", "actNext"),
               ActionEntry("Previous", "actPrevious"), ActionEntry("Auto/Manu.", "actAutoManu")}),
          Submenu("&CD", {ActionEntry("Select", "actSelectCD"), Direct(TMenuCommand::CdDirect),
                          ActionEntry("Play", "actPlay"), ActionEntry("Stop", "actStop"),
                          ActionEntry("Next", "actNext"), ActionEntry("Previous", "actPrevious"),
                          ActionEntry("Repeat", "actRepeat"), ActionEntry("Random", "actRandom"),
                          ActionEntry("Eject", "actEject"), ActionEntry("Forward", "actForward"),
                          ActionEntry("Rewind", "actRewind")}),
          ActionEntry("M&D", "actSelectMD"),
          ActionEntry("TAPE/&AUX", "actSelectAUX"),
          ActionEntry("PC &USB", "actSelectUSB"),
          Separator(),
          ActionEntry("&Mute", "actMute"),
          ActionEntry("&N.B.", "actTone"),
          ActionEntry("&Power On/Off", "actPower"),
          Separator(),
          Named(Entry("Al&ways On Top", TMenuCommand::AlwaysOnTop), "alwaysonTop1"),
          Named(Entry("Tas&kTray", TMenuCommand::TaskTray), "TaskTray1"),
          Submenu("&Other",
                  {Later("&Skin", "Skin1"), ActionEntry("Option...", "actOptionDialog"),
                   Separator(), Later("AudioDevice", "AudioDevice1"),
                   Named(Entry("Auto On", TMenuCommand::AutoOn), "AutoOn1"),
                   Named(Entry("Auto Off", TMenuCommand::AutoOff), "AutoOff1"), borderLess,
                   Separator(), tape, md, Separator(), ActionEntry("About...", "actAbout")}),
          Separator(),
          Entry("E&xit", TMenuCommand::Exit),
      });
}

TMenuItem* FindNamed(TMenuItem& item, std::string_view name) {
  if (item.Name == name) return &item;
  for (TMenuItem& child : item.Items)
    if (TMenuItem* found = FindNamed(child, name)) return found;
  return nullptr;
}

}  // namespace

TPopupMenuModel::TPopupMenuModel(Uses uses) : Items(BuildMenu()), u_(std::move(uses)) {}

TMenuItem* TPopupMenuModel::Find(const std::vector<std::string>& path) {
  TMenuItem* item = &Items;
  for (const std::string& caption : path) {
    TMenuItem* next = nullptr;
    for (TMenuItem& child : item->Items)
      if (child.Caption == caption) {
        next = &child;
        break;
      }
    if (!next) return nullptr;
    item = next;
  }
  return item == &Items ? nullptr : item;
}

TMenuItem* TPopupMenuModel::FindByName(std::string_view name) {
  return name.empty() ? nullptr : FindNamed(Items, name);
}

bool TPopupMenuModel::Checked(const TMenuItem& item) const {
  switch (item.Command) {
    case TMenuCommand::AlwaysOnTop:
      return u_.settings.OnTop;
    case TMenuCommand::AutoOn:
      return u_.settings.Options.AutoOn;
    case TMenuCommand::AutoOff:
      return u_.settings.Options.AutoOff;
    case TMenuCommand::AudioDevice:
      // Its entries are listed only once the outputs were read.
      return u_.audio.Ticked() == item.Number;
    case TMenuCommand::Sleep:
      return u_.sleep.TickedMinutes() == item.Number;
    case TMenuCommand::Skin:
      return u_.skins.Checked() == item.Number;
    case TMenuCommand::BorderLess:
      return u_.skins.BorderLess();
    default:
      return item.Checked;
  }
}

void TPopupMenuModel::PrepareToShow() {
  AudioDevices();
}

TAudioDeviceMenu& TPopupMenuModel::AudioDevices() {
  if (!audioRead_) {
    audioRead_ = true;
    u_.audio.Build();
    FillAudioDevices(u_.audio);
  }
  return u_.audio;
}

void TPopupMenuModel::FillAudioDevices(const TAudioDeviceMenu& outputs) {
  TMenuItem* menu = FindByName("AudioDevice1");
  menu->Items.clear();
  menu->Enabled = outputs.Enabled();
  for (std::size_t i = 0; i < outputs.Names().size(); ++i) {
    const int number = static_cast<int>(i);
    menu->Items.push_back(TMenuItem{.Caption = outputs.Names()[i],
                                    .Name = "Device" + std::to_string(number),
                                    .Command = TMenuCommand::AudioDevice,
                                    .Number = number,
                                    .RadioItem = true,
                                    .GroupIndex = kAudioDeviceGroup});
  }
}

void TPopupMenuModel::FillSkins(const TSkinControl& skins) {
  TMenuItem* menu = FindByName("Skin1");
  menu->Items.clear();
  menu->Enabled = !skins.Entries().empty();
  for (std::size_t i = 0; i < skins.Entries().size(); ++i)
    menu->Items.push_back(TMenuItem{.Caption = skins.Entries()[i].Caption,
                                    .Command = TMenuCommand::Skin,
                                    .Number = static_cast<int>(i),
                                    .RadioItem = true,
                                    .GroupIndex = kSkinGroup});
}

bool TPopupMenuModel::Checkable(const TMenuItem& item) const {
  const bool toggle = item.Command == TMenuCommand::AlwaysOnTop ||
                      item.Command == TMenuCommand::TaskTray ||
                      item.Command == TMenuCommand::BorderLess ||
                      item.Command == TMenuCommand::AutoOn || item.Command == TMenuCommand::AutoOff;
  return toggle || item.RadioItem || Checked(item);
}

std::string TPopupMenuModel::ShortcutText(const TMenuItem& item) {
  for (const TShortcutBinding& binding : u_.shortcuts) {
    const TShortcutName& target = *binding.Target;
    const bool mine =
        target.Action.empty() ? FindShortcutEntry(target) == &item : target.Action == item.Action;
    if (mine) return ShortCutToText(binding.ShortCut);
  }
  return {};
}

void TPopupMenuModel::Click(const TMenuItem& item) {
  if (!item.Enabled) return;
  TCommands& commands = u_.commands;
  switch (item.Command) {
    case TMenuCommand::Action:
      u_.actions.Execute(item.Action);
      break;
    case TMenuCommand::VolumePreset:
      commands.VolumePresetClick(item.Number);
      break;
    case TMenuCommand::TunerDirect:
      commands.TunerDirectClick(item.Number);
      break;
    case TMenuCommand::CdDirect:
      commands.CdDirectClick(item.Number);
      break;
    case TMenuCommand::DeviceKey:
      commands.DeviceKeyClick(item.DeviceCommand);
      break;
    case TMenuCommand::AlwaysOnTop:
      commands.AlwaysOnTopClick();
      break;
    case TMenuCommand::AutoOn:
      commands.AutoOnClick();
      break;
    case TMenuCommand::AutoOff:
      commands.AutoOffClick();
      break;
    case TMenuCommand::AudioDevice:
      AudioDevices().Click(item.Number);
      break;
    case TMenuCommand::TaskTray:
      u_.tray.TaskTray1Click();
      break;
    case TMenuCommand::Skin:
      u_.skins.MenuClick(item.Number);
      break;
    case TMenuCommand::BorderLess:
      u_.skins.BorderLess1Click();
      break;
    case TMenuCommand::Exit:
      u_.window.CloseWindow();
      break;
    case TMenuCommand::Sleep:
      u_.sleep.Choose(item.Number);
      // The time left shows from the next clock tick on; "OFF" clears it at once.
      if (item.Number == 0) u_.setTitle(kAppTitle);
      break;
    case TMenuCommand::None:
      break;
  }
}

TMenuItem* TPopupMenuModel::FindShortcutEntry(const TShortcutName& target) {
  if (!target.Action.empty()) return nullptr;
  TMenuItem* item = Find(target.MenuPath);
  if (!item || target.DirectNumber == 0) return item;
  for (TMenuItem& entry : item->Items)
    if (entry.Number == target.DirectNumber) return &entry;
  return nullptr;
}

void TPopupMenuModel::RunShortcut(const TShortcutName& target) {
  if (!target.Action.empty()) {
    u_.actions.Execute(target.Action);
    return;
  }
  if (TMenuItem* item = FindShortcutEntry(target)) Click(*item);
}

}  // namespace zr4
