#include "core/commands/action_list.h"

#include "core/base/same_text.h"
#include "core/commands/commands.h"

namespace zr4 {

TActionList::TActionList(TCommands& commands) : commands_(commands) {
  auto bind = [&commands](void (TCommands::*handler)()) {
    return [&commands, handler] { (commands.*handler)(); };
  };
  using C = TCommands;
  actions_ = {
      {"actPlay", "", "Play CD", bind(&C::actPlayExecute)},
      {"actStop", "", "Stop CD", bind(&C::actStopExecute)},
      {"actNext", "", "Next Track (CD, MD)  P.Call UP (TUNER)", bind(&C::actNextExecute)},
      {"actPrevious", "", "Previous Track (CD, MD)  P.Call Down (TUNER)",
       bind(&C::actPreviousExecute)},
      {"actForward", "", "Forward", bind(&C::actForwardExecute)},
      {"actRewind", "", "Rewind", bind(&C::actRewindExecute)},
      {"actPower", "", "Power On/Off", bind(&C::actPowerExecute)},
      {"actSelectUSB", "", "Select PC USB", bind(&C::actSelectUSBExecute)},
      {"actSelectCD", "", "Select CD", bind(&C::actSelectCDExecute)},
      {"actSelectAUX", "", "Select TAPE/AUX", bind(&C::actSelectAUXExecute)},
      {"actSelectMD", "", "Select MD", bind(&C::actSelectMDExecute)},
      {"actSelectBAND", "", "Change FM/AM", bind(&C::actSelectBANDExecute)},
      {"actSelectTUNER", "", "Select TUNER", bind(&C::actSelectTUNERExecute)},
      {"actVolumeChange", "", "", bind(&C::actVolumeChangeExecute)},
      {"actEject", "", "Eject CD", bind(&C::actEjectExecute)},
      {"actRepeat", "", "Repeat", bind(&C::actRepeatExecute)},
      {"actMute", "", "Mute", bind(&C::actMuteExecute)},
      {"actTone", "", "N.B.", bind(&C::actToneExecute)},
      {"actAutoManu", "", "Auto/Manual (TUNER)", bind(&C::actAutoManuExecute)},
      {"actOptionDialog", "", "Option...", nullptr},
      {"actRandom", "", "Random", bind(&C::actRandomExecute)},
      {"actMinimize", "", "Minimize", bind(&C::actMinimizeExecute)},
      {"actExit", "", "Exit", bind(&C::actExitExecute)},
      {"actInputLevelUp", "InputLv Up", "", bind(&C::actInputLevelUpExecute)},
      {"actInputLevelDn", "InputLv Dn", "", bind(&C::actInputLevelDnExecute)},
      {"actVolumeUp", "", "Volume Up", bind(&C::actVolumeUpExecute)},
      {"actVolumeDn", "VolumeDn", "Volume Down", bind(&C::actVolumeDnExecute)},
      {"actModeChange", "ModeChange", "INPUT MODE", bind(&C::actModeChangeExecute)},
      {"actAbout", "About", "About...", nullptr},
      {"actPopupMenu", "PopupMenu", "", nullptr},
      {"actMinimizeRestore", "MinimizeRestore", "", nullptr},
      {"actSetForeground", "SetForeground", "", nullptr},
      {"actVolumeUpB", "VolumeUp", "", bind(&C::actVolumeUpBExecute)},
      {"actVolumeDownB", "VolumeDown", "", bind(&C::actVolumeDownBExecute)},
      {"actDeviceChange", "", "", nullptr},
  };
}

int TActionList::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < actions_.size(); ++i)
    if (SameText(actions_[i].Name, name)) return static_cast<int>(i);
  return -1;
}

const TAction* TActionList::Find(std::string_view name) const {
  const int index = IndexOf(name);
  return index < 0 ? nullptr : &actions_[static_cast<std::size_t>(index)];
}

void TActionList::SetHandler(std::string_view name, std::function<void()> handler) {
  const int index = IndexOf(name);
  if (index >= 0) actions_[static_cast<std::size_t>(index)].OnExecute = std::move(handler);
}

bool TActionList::Execute(std::string_view name) const {
  const TAction* action = Find(name);
  if (!action || !action->OnExecute) return false;
  commands_.ActionList1Execute();
  action->OnExecute();
  return true;
}

}  // namespace zr4
