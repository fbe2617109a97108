// The options dialog's controls as data: which setting each check box and spin box edits, with
// its caption, range and place. The dialog draws itself from these tables.
#pragma once

#include <span>

#include "core/settings/option_data.h"

namespace zr4 {

// The pages, in tab order.
enum TOptionPage { kPageSetting1, kPageSetting2, kPageRemote, kPageOther, kPageTimer, kPageTray };
constexpr int kOptionPageCount = 6;
const char* OptionPageCaption(int page);

struct TOptionCheckBox {
  int page;
  const char* group;  // the group box that holds it; nullptr on the page itself
  const char* name;
  const char* caption;
  bool TOptionData::*setting;
};

struct TOptionSpin {
  int page;
  const char* group;
  const char* name;
  const char* label;
  int min;
  int max;
  int step;
  int maxChars;  // the longest text that may be typed
  int TOptionData::*setting;
};

// Under "最小化して起動": the box that shows and sets whether the system starts the program at
// login (no setting: it edits TOptionFormModel::StartAtLogin).
constexpr const char* kLoginStartBox = "CheckBoxLoginStart";
constexpr const char* kLoginStartCaption = "ログイン時に起動する";

// In the order they appear on their pages.
std::span<const TOptionCheckBox> OptionCheckBoxes();
std::span<const TOptionSpin> OptionSpins();

// The control of that name; nullptr when there is none.
const TOptionCheckBox* FindOptionCheckBox(const char* name);
const TOptionSpin* FindOptionSpin(const char* name);

// Whether the control is enabled, given the check boxes' state: "N.B.2のみ切る" only while
// "起動時　N.Bを切る" is ticked, the four volume offsets only while auto volume is ticked.
bool OptionControlEnabled(const char* name, const TOptionData& state);

}  // namespace zr4
