#include "core/app/option_dialog_command.h"

#include "core/app/controller.h"

namespace zr4 {

TOptionFormModel TOptionDialogCommand::Load() {
  TOptionFormModel form(sortFlags_);
  form.LoadFromOptions(c_.Options());
  form.LoadTimers(c_.Settings().TimerList);
  form.LoadRemoteCommands(c_.Settings().GestureList);
  form.LoadTrayActions(c_.Tray().Actions(), c_.Tray().Clicks().HostClicks());
  form.AddCommandItems(c_.PcDispatcher().CommandItems());
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
  if (o.ShowRadioName) c_.Stations().ShowStationName();

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
