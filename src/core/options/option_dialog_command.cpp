#include "core/options/option_dialog_command.h"

#include "core/gestures/pc_command_dispatcher.h"
#include "core/menu/station_names.h"
#include "core/options/dialog_view.h"
#include "core/panel/app_title.h"
#include "core/panel/message_view.h"
#include "core/panel/panel_view.h"
#include "core/panel/status_display.h"
#include "core/panel/window_timers.h"
#include "core/ports/login_start.h"
#include "core/settings/settings.h"
#include "core/timers/power_save.h"
#include "core/tray/task_tray.h"

namespace zr4 {

namespace {
constexpr const char* kLoginStartFailed = "ログイン時に起動する設定を書き込めませんでした。";
}  // namespace

TOptionFormModel TOptionDialogCommand::Load() {
  TOptionFormModel form(sortFlags_);
  form.LoadFromOptions(u_.settings.Options);
  form.LoadTimers(u_.settings.TimerList);
  form.LoadRemoteCommands(u_.settings.GestureList);
  form.LoadTrayActions(u_.tray.Actions(), u_.tray.Clicks().HostClicks());
  form.AddCommandItems(u_.pcDispatcher.CommandItems());
  if (u_.loginStart) form.StartAtLogin = u_.loginStart->Enabled();
  return form;
}

void TOptionDialogCommand::Execute() {
  TOptionFormModel form = Load();
  if (u_.dialogs.RunOptionDialog(form)) ApplyOptions(form);
}

void TOptionDialogCommand::ApplyOptions(const TOptionFormModel& form) {
  TSettings& settings = u_.settings;
  form.SaveToOptions(settings.Options);
  form.StoreRemoteCommands(settings.GestureList);
  form.StoreTimers(settings.TimerList);
  form.StoreTrayActions(u_.tray.Actions());
  u_.tray.StoreClickNames();
  const TOptionData& o = settings.Options;

  // The labels and the poll period follow at once.
  if (!o.ShowRadioName) u_.display.ShowFrequency();
  u_.timers.SetPollInterval(o.RemoConEnable ? kPollGestureMs : kPollCdMs);
  if (o.ShowRadioName) u_.stations.ShowStationName();

  if (form.SkinChanged() && LoadSkinFile) LoadSkinFile();

  // Switching the power save on starts nothing: the next use of the window does.
  if (!o.APS && u_.powerSave.Active()) {
    u_.powerSave.Stop();
    u_.setTitle(kAppTitle);
  }

  u_.tray.OptionsApplied();
  ApplyLoginStart(form);

  TVolumeControl& slider = u_.slider;
  slider.SmallChange = o.VolLR;
  slider.LargeChange = o.VolUD;
  slider.SetMax(o.VolMax);
  u_.panel.VolumeSliderChanged(SliderOf(slider));

  u_.saveSettings();
}

// The entry is the system's, not a setting: it is written only when the box no longer says what
// the system holds, so an entry of another copy stays until the box is ticked.
void TOptionDialogCommand::ApplyLoginStart(const TOptionFormModel& form) {
  LoginStart* entry = u_.loginStart;
  if (!entry || !form.StartAtLogin || *form.StartAtLogin == entry->Enabled()) return;
  if (!entry->SetEnabled(*form.StartAtLogin))
    u_.messages.ShowMessage(std::string(kLoginStartFailed) + "\n" + entry->Location());
}

}  // namespace zr4
