// What the options dialog shows and edits, without the widgets: every setting as its control
// holds it, the gesture list, the timer list and the tray clicks. The dialog works on this copy;
// nothing reaches the program until the Store steps run after OK.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/options/option_controls.h"
#include "core/pcactions/data_list.h"
#include "core/settings/option_data.h"

namespace zr4 {

class TTaskTrayActionMgr;
struct TTrayHostClicks;

// Sort directions of the list columns, flipped by every click on a header; they last for the
// whole run, not for one showing of the dialog.
struct TOptionSortFlags {
  std::array<bool, 2> gestures{};
  std::array<bool, 4> timers{};
};

// Compares two column texts: negative, zero or positive.
using TTextCompare = std::function<int(const std::string&, const std::string&)>;

struct TGestureRow {
  std::string Sequence;  // "↑↑↓"
  std::string Command;   // "01,スタンバイ"
  bool Checked = false;

  bool operator==(const TGestureRow&) const = default;
};

struct TTimerRow {
  std::string No;    // "00"
  std::string Day;   // "日" … "土", "毎日"
  std::string Time;  // "07:30"
  std::string Command;
  bool Checked = false;

  bool operator==(const TTimerRow&) const = default;
};

struct TTrayRow {
  std::string Click;   // "右クリック"
  std::string Action;  // the entry's caption, empty for none
  // The notification area reports this click; a row it never reports is shown disabled and
  // keeps its action.
  bool Reported = true;

  bool operator==(const TTrayRow&) const = default;
};

// "日", "月", "火", "水", "木", "金", "土" for 1 … 7, "毎日" for 8; empty otherwise.
std::string DayName(int weekDay);
// The day number of a name, 0 when the text names no day.
int DayOfName(const std::string& name);

class TOptionFormModel {
 public:
  explicit TOptionFormModel(TOptionSortFlags& sortFlags) : sortFlags_(sortFlags) {}

  // Loading, in the order the caller runs it.
  void LoadFromOptions(const TOptionData& options);
  void LoadTimers(const TDataList& timers);
  // Entries up to the first empty one.
  void LoadRemoteCommands(const std::vector<std::string>& gestures);
  void LoadTrayActions(const TTaskTrayActionMgr& tray, const TTrayHostClicks& host);
  // Appends PC commands ("01,スタンバイ", then the application command sets' items).
  void AddCommandItems(const std::vector<std::string>& items);

  // Storing after OK, in this order.
  void SaveToOptions(TOptionData& options) const;
  void StoreRemoteCommands(std::vector<std::string>& gestures) const;
  // Rows in display order, numbered afresh; a day text that names no day takes the day of the
  // row before it (0 for the first row).
  void StoreTimers(TDataList& timers) const;
  void StoreTrayActions(TTaskTrayActionMgr& tray) const;

  // The controls. Check boxes and spin boxes edit `Controls` directly through the tables of
  // option_controls.h; a spin value is kept inside its range.
  TOptionData Controls;
  int Page = 0;
  void SetSpin(const TOptionSpin& spin, int value);
  int Spin(const TOptionSpin& spin) const { return Controls.*spin.setting; }
  bool Enabled(const char* controlName) const {
    return OptionControlEnabled(controlName, Controls);
  }

  // "ログイン時に起動する": whether the system starts this copy at login; none where it cannot.
  // Not a setting: OK writes or removes the system's entry.
  std::optional<bool> StartAtLogin;

  // The skin file box. A browse that ended with a file stores its path relative to the program
  // folder and marks the skin as changed; a cancelled browse clears the mark.
  void SkinBrowsed(const std::optional<std::string>& chosen, const std::string& programFolder);
  bool SkinChanged() const { return skinChanged_; }

  // Page "リモコン".
  std::string Sequence;  // the sequence field
  std::vector<std::string> CommandItems;
  int CommandIndex = -1;  // the chosen command, -1 for none
  std::vector<TGestureRow> Gestures;
  void AppendUp() { Sequence += "↑"; }
  void AppendDown() { Sequence += "↓"; }
  // With a command chosen and a sequence, adds an unchecked row and empties the sequence.
  bool AddGesture();
  // Shows the row's sequence and selects its command (none when no item matches).
  void SelectGesture(int row);
  void DeleteGestures(std::vector<int> rows);

  // Page "タイマー".
  std::vector<TTimerRow> Timers;
  void DeleteTimers(std::vector<int> rows);

  // Page "タスクトレイ": one row per click kind; the choices are the tray entries' captions.
  std::vector<TTrayRow> TrayRows;
  std::vector<std::string> TrayChoices;
  // One line under the list saying why some rows are disabled; empty when none is.
  std::string TrayNote;
  // The choice that shows the row's action; -1 when none matches.
  int TrayChoiceOf(int row) const;
  // A row the notification area never reports keeps its action.
  void RegisterTrayAction(int row, int choice);

  // A click on a column header: sorts ascending or descending by the column's flag, then flips
  // the flag. The timers' day column sorts by day number.
  void SortGestures(int column, const TTextCompare& compare);
  void SortTimers(int column, const TTextCompare& compare);

 private:
  TOptionSortFlags& sortFlags_;
  bool skinChanged_ = false;
};

// Byte order of UTF-8, which is the order of the characters' code points.
int CompareBytes(const std::string& a, const std::string& b);

}  // namespace zr4
