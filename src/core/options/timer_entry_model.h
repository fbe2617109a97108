// What the timer entry dialog shows and edits: one timer of the options dialog's timer list,
// its day and time, and a command line composed from the command options and their arguments.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/pcactions/data_list.h"

namespace zr4 {

class TOptionFormModel;

struct TTimerCommandOption {
  const char* text;  // "-PCALL"
  bool takesArgument;
  int first;  // the arguments first … last, when it takes one
  int last;
  const char* hint;          // of the option list
  const char* argumentHint;  // of the argument list; nullptr clears it
};

// "-ON", "-OFF", "-PCALL", "-VOL", "-VOLP", "-VOLM", "-NB", "-ST", "-INPUT", "-TRACK".
std::span<const TTimerCommandOption> TimerCommandOptions();

class TTimerEntryModel {
 public:
  // New: the number choice is disabled and "決定" adds. Change: the numbers of all rows are
  // offered, and the first selected row (-1 for none) is chosen and shown.
  TTimerEntryModel(const TOptionFormModel& form, bool change, int selectedRow);

  // The number choice.
  bool NumberEnabled() const { return numberEnabled_; }
  std::vector<std::string> Numbers;
  int NumberIndex = -1;
  void ChooseNumber(int index);

  int DayIndex = -1;  // 0 "日" … 7 "毎日"
  int Hour = 0;       // kept within 0 … 23 and 0 … 59
  int Minute = 0;
  void SetHour(int hour);
  void SetMinute(int minute);

  // The command options and the arguments of the chosen one.
  int OptionIndex = -1;
  std::vector<std::string> Arguments;
  int ArgumentIndex = -1;
  std::string OptionHint;
  std::string ArgumentHint;
  void ChooseOption(int index);

  std::string CommandLine;
  // Appends the chosen option with its argument, a blank before it when the line is not empty.
  // False, and nothing appended, without an option or without the argument it needs.
  bool AddToCommand();
  void ClearCommand() { CommandLine.clear(); }

  // "決定": with a day and a command line, writes the entry (unchecked) into the working list,
  // as a new last entry or at the chosen number, and shows the list in the options dialog.
  // False when the input was incomplete and nothing was stored.
  bool Commit(TOptionFormModel& form);

 private:
  TDataList working_;
  bool numberEnabled_ = false;
};

}  // namespace zr4
