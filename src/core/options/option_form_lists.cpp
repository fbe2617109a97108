// The options dialog's gesture and timer lists: adding, deleting, sorting, and the timers'
// way back into a timer list.
#include <algorithm>
#include <cstdio>

#include "core/base/comma_text.h"
#include "core/base/ini_file.h"
#include "core/options/option_form_model.h"

namespace zr4 {

namespace {
constexpr const char* kDayNames[] = {"日", "月", "火", "水", "木", "金", "土", "毎日"};
constexpr int kEveryDay = 8;

std::string Format2(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2d", value);
  return text;
}

int IntegerOr(const std::string& text, int fallback) {
  int value = 0;
  return ParseInteger(text, value) ? value : fallback;
}

// Deletes the rows at the given indices; indices outside the list are passed over.
template <typename Row>
void DeleteRows(std::vector<Row>& rows, std::vector<int> indices) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  for (auto it = indices.rbegin(); it != indices.rend(); ++it)
    if (*it >= 0 && *it < static_cast<int>(rows.size())) rows.erase(rows.begin() + *it);
}

template <typename Row, typename Text>
void SortRows(std::vector<Row>& rows, bool descending, const TTextCompare& compare, Text text) {
  std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
    const int order = compare(text(a), text(b));
    return descending ? order > 0 : order < 0;
  });
}
}  // namespace

std::string DayName(int weekDay) {
  return weekDay >= 1 && weekDay <= kEveryDay ? kDayNames[weekDay - 1] : "";
}

int DayOfName(const std::string& name) {
  for (int day = 1; day <= kEveryDay; ++day)
    if (name == kDayNames[day - 1]) return day;
  return 0;
}

int CompareBytes(const std::string& a, const std::string& b) {
  return a.compare(b);
}

bool TOptionFormModel::AddGesture() {
  if (CommandIndex < 0 || CommandIndex >= static_cast<int>(CommandItems.size()) || Sequence.empty())
    return false;
  Gestures.push_back({Sequence, CommandItems[static_cast<std::size_t>(CommandIndex)], false});
  Sequence.clear();
  return true;
}

void TOptionFormModel::SelectGesture(int row) {
  if (row < 0 || row >= static_cast<int>(Gestures.size())) return;
  const TGestureRow& gesture = Gestures[static_cast<std::size_t>(row)];
  Sequence = gesture.Sequence;
  std::string command = gesture.Command;
  const auto blank = [](unsigned char c) { return c <= ' '; };
  while (!command.empty() && blank(static_cast<unsigned char>(command.back()))) command.pop_back();
  command.erase(command.begin(), std::find_if_not(command.begin(), command.end(), [&](char c) {
                  return blank(static_cast<unsigned char>(c));
                }));
  const auto found = std::find(CommandItems.begin(), CommandItems.end(), command);
  CommandIndex = found == CommandItems.end() ? -1 : static_cast<int>(found - CommandItems.begin());
}

void TOptionFormModel::DeleteGestures(std::vector<int> rows) {
  DeleteRows(Gestures, std::move(rows));
}

void TOptionFormModel::DeleteTimers(std::vector<int> rows) {
  DeleteRows(Timers, std::move(rows));
}

void TOptionFormModel::LoadTimers(const TDataList& timers) {
  Timers.clear();
  for (int i = 0; i < timers.Count(); ++i) {
    const TMyTimerData item = timers.GetItem(i);
    // A value edited by hand past its range shows, and is stored, as the nearest one allowed.
    const int day = std::clamp(item.WeekDay, 1, kEveryDay);
    const int hour = std::clamp(item.Hour, 0, 23);
    const int minute = std::clamp(item.Minute, 0, 59);
    Timers.push_back({Format2(item.No), DayName(day), Format2(hour) + ":" + Format2(minute),
                      item.Command, item.Enabled});
  }
}

void TOptionFormModel::StoreTimers(TDataList& timers) const {
  TDataList list;
  int previousDay = 0;
  for (std::size_t i = 0; i < Timers.size(); ++i) {
    const TTimerRow& row = Timers[i];
    // Day, hour, minute and command as one comma text, the time split at its colon.
    std::string text = EncodeCommaText({row.Day, row.Time, row.Command});
    if (const std::size_t colon = text.find(':'); colon != std::string::npos) text[colon] = ',';
    std::vector<std::string> items = DecodeCommaText(text);
    items.resize(4);

    TMyTimerData item;
    const int day = DayOfName(row.Day);
    item.WeekDay = day != 0 ? day : previousDay;
    previousDay = item.WeekDay;
    item.Hour = std::clamp(IntegerOr(items[1], 0), 0, 23);
    item.Minute = std::clamp(IntegerOr(items[2], 0), 0, 59);
    item.Command = items[3];
    item.No = static_cast<int>(i);
    item.Enabled = row.Checked;
    item.Fired = false;
    list.Add(item);
  }
  timers.Clear();
  timers.Assign(list);
}

void TOptionFormModel::SortGestures(int column, const TTextCompare& compare) {
  if (column < 0 || column >= static_cast<int>(sortFlags_.gestures.size())) return;
  bool& descending = sortFlags_.gestures[static_cast<std::size_t>(column)];
  SortRows(Gestures, descending, compare, [column](const TGestureRow& row) -> const std::string& {
    return column == 0 ? row.Sequence : row.Command;
  });
  descending = !descending;
}

void TOptionFormModel::SortTimers(int column, const TTextCompare& compare) {
  if (column < 0 || column >= static_cast<int>(sortFlags_.timers.size())) return;
  bool& descending = sortFlags_.timers[static_cast<std::size_t>(column)];
  if (column == 1) {
    // By day number through a timer list; each row keeps its number until the list is stored.
    TDataList list;
    StoreTimers(list);
    list.Sort(descending ? CompareWeekDayDesc : CompareWeekDayAsc);
    LoadTimers(list);
  } else {
    SortRows(Timers, descending, compare, [column](const TTimerRow& row) -> const std::string& {
      return column == 0 ? row.No : column == 2 ? row.Time : row.Command;
    });
  }
  descending = !descending;
}

}  // namespace zr4
