#include "core/options/timer_entry_model.h"

#include "core/base/blanks.h"
#include "core/options/option_form_model.h"

namespace zr4 {

namespace {
const TTimerCommandOption kOptions[] = {
    {"-ON", false, 0, 0, "電源ON", nullptr},
    {"-OFF", false, 0, 0, "電源OFF", nullptr},
    {"-PCALL", true, 1, 40, "TUNERの選局", nullptr},
    {"-VOL", true, 0, 70, "ボリューム変更", nullptr},
    {"-VOLP", true, 0, 50, "現在のボリュームにプラス", nullptr},
    {"-VOLM", true, 0, 50, "現在のボリュームにマイナス", nullptr},
    {"-NB", true, 0, 2, "N.B.モード (0:TONE, 1:N.B.1, 2:N.B.2)", "0:TONE, 1:N.B.1, 2:N.B.2"},
    {"-ST", true, 0, 1, "Auto/Manual変更 (0:Manual(MONO) 1:Auto(STEREO))",
     "0:Manual(MONO) 1:Auto(STEREO)"},
    {"-INPUT", true, 0, 4, "インプットモードの変更 (0:TUNER, 1:CD, 2:MD, 3:AUX, 4:USB)",
     "0:TUNER, 1:CD, 2:MD, 3:AUX, 4:USB"},
    {"-TRACK", true, 1, 20, "CDの選曲", nullptr},
};

constexpr int kDays = 8;

}  // namespace

std::span<const TTimerCommandOption> TimerCommandOptions() {
  return kOptions;
}

TTimerEntryModel::TTimerEntryModel(const TOptionFormModel& form, bool change, int selectedRow)
    : numberEnabled_(change) {
  form.StoreTimers(working_);
  if (!change) return;
  for (const TTimerRow& row : form.Timers) Numbers.push_back(row.No);
  if (selectedRow >= 0) ChooseNumber(selectedRow);
}

void TTimerEntryModel::ChooseNumber(int index) {
  if (index < 0 || index >= working_.Count()) return;
  NumberIndex = index;
  const TMyTimerData item = working_.GetItem(index);
  SetHour(item.Hour);
  SetMinute(item.Minute);
  DayIndex = item.WeekDay >= 1 && item.WeekDay <= kDays ? item.WeekDay - 1 : -1;
  CommandLine = item.Command;
}

void TTimerEntryModel::SetHour(int hour) {
  Hour = std::clamp(hour, 0, 23);
}

void TTimerEntryModel::SetMinute(int minute) {
  Minute = std::clamp(minute, 0, 59);
}

void TTimerEntryModel::ChooseOption(int index) {
  const auto options = TimerCommandOptions();
  if (index < 0 || index >= static_cast<int>(options.size())) return;
  OptionIndex = index;
  const TTimerCommandOption& option = options[static_cast<std::size_t>(index)];
  Arguments.clear();
  ArgumentIndex = -1;
  if (option.takesArgument)
    for (int n = option.first; n <= option.last; ++n) Arguments.push_back(std::to_string(n));
  OptionHint = option.hint;
  // The options without an argument leave the argument hint as it was.
  if (option.takesArgument) ArgumentHint = option.argumentHint ? option.argumentHint : "";
}

bool TTimerEntryModel::AddToCommand() {
  const auto options = TimerCommandOptions();
  if (OptionIndex < 0 || OptionIndex >= static_cast<int>(options.size())) return false;
  const TTimerCommandOption& option = options[static_cast<std::size_t>(OptionIndex)];
  std::string piece = CommandLine.empty() ? "" : " ";
  piece += option.text;
  if (option.takesArgument) {
    if (ArgumentIndex < 0 || ArgumentIndex >= static_cast<int>(Arguments.size())) return false;
    piece += " " + Arguments[static_cast<std::size_t>(ArgumentIndex)];
  }
  CommandLine += piece;
  return true;
}

bool TTimerEntryModel::Commit(TOptionFormModel& form) {
  if (DayIndex < 0 || DayIndex >= kDays || Trim(CommandLine).empty()) return false;
  TMyTimerData item;
  item.WeekDay = DayIndex + 1;
  item.Hour = Hour;
  item.Minute = Minute;
  item.Command = std::string(Trim(CommandLine));
  item.Fired = false;
  item.Enabled = false;
  if (NumberIndex < 0) {
    item.No = working_.Count();
    working_.Add(item);
  } else {
    item.No = NumberIndex;
    working_.SetItem(NumberIndex, item);
  }
  form.LoadTimers(working_);
  return true;
}

}  // namespace zr4
