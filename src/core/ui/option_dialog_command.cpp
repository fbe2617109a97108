#include "core/ui/option_dialog_command.h"

#include "core/app/controller.h"

namespace zr4 {

std::vector<std::string> FixedPcCommandItems() {
  return {"01,スタンバイ",       "02,休止状態（ハイバネーション）",
          "03,シャットダウン",   "04,再起動",
          "05,ログオフ",         "06,Monitor Off",
          "07,Monitor On",       "10,Winamp Run",
          "11,Winamp Quit",      "12,Winamp Play",
          "13,Winamp Stop",      "14,Winamp Next",
          "15,Winamp Previous",  "16,Winamp Forward",
          "17,Winamp Rewind",    "18,Winamp Pause",
          "19,Winamp Shuffle",   "20,Winamp Repeat",
          "21,Winamp ListFirst", "22,Winamp ListLast",
          "30,Lilith Run",       "31,Lilith Quit",
          "32,Lilith Play",      "33,Lilith Stop",
          "34,Lilith Pause",     "35,Lilith Next",
          "36,Lilith Previous",  "37,Lilith Forward",
          "38,Lilith Rewind"};
}

TOptionFormModel TOptionDialogCommand::Load() {
  TOptionFormModel form(sortFlags_);
  form.LoadFromOptions(c_.Options());
  form.LoadTimers(c_.Settings().TimerList);
  form.LoadRemoteCommands(c_.Settings().GestureList);
  form.LoadTrayActions(c_.Tray().Actions());
  form.AddCommandItems(FixedPcCommandItems());
  if (ApplicationCommandNames) form.AddCommandItems(ApplicationCommandNames());
  return form;
}

void TOptionDialogCommand::Execute() {
  TOptionFormModel form = Load();
  if (c_.View().RunOptionDialog(form)) ApplyOptions(form);
}

void TOptionDialogCommand::ApplyOptions(const TOptionFormModel& form) {
  TSettings& settings = c_.Settings();
  form.SaveToOptions(settings.Options);
  form.StoreRemoteCommands(settings.GestureList);
  form.StoreTimers(settings.TimerList);
  form.StoreTrayActions(c_.Tray().Actions());
  c_.Tray().StoreClickNames();
  const TOptionData& o = settings.Options;

  // The labels and the poll period follow at once.
  if (!o.ShowRadioName) c_.Display().ShowFrequency();
  c_.Timers().SetPollInterval(o.RemoConEnable ? kPollGestureMs : kPollCdMs);
  if (o.ShowRadioName && ShowStationName) ShowStationName();

  if (form.SkinChanged() && LoadSkinFile) LoadSkinFile();

  // Switching the power save on starts nothing: the next use of the window does.
  if (!o.APS && c_.PowerSave().Active()) {
    c_.PowerSave().Stop();
    c_.SetTitle(kAppTitle);
  }

  c_.Tray().OptionsApplied();

  TVolumeControl& slider = c_.ScrollBar1();
  slider.SmallChange = o.VolLR;
  slider.LargeChange = o.VolUD;
  slider.SetMax(o.VolMax);
  c_.View().VolumeSliderChanged(c_.VolumeSlider());

  c_.SaveSettings();
}

}  // namespace zr4
