#include "core/pcactions/timer_text.h"

#include <string_view>

#include "core/base/blanks.h"
#include "core/base/ini_file.h"

namespace zr4 {

std::string TimerToText(const TMyTimerData& item) {
  return std::to_string(item.WeekDay) + ',' + std::to_string(item.Hour) + ',' +
         std::to_string(item.Minute) + ',' + item.Command + ',' + (item.Enabled ? "1" : "0");
}

std::optional<TMyTimerData> TimerFromText(const std::string& text, int no) {
  std::string_view rest = text;
  int numbers[3] = {};
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = rest.find(',');
    // Only the third number may end the text: a value of three fields still has its time.
    if (comma == std::string_view::npos && i < 2) return std::nullopt;
    // Hand-edited files may have spaces around the numbers; a tab there keeps the value unread.
    if (!ParseInteger(Trim(rest.substr(0, comma), IsSpace), numbers[i])) return std::nullopt;
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }

  TMyTimerData item;
  item.WeekDay = numbers[0];
  item.Hour = numbers[1];
  item.Minute = numbers[2];
  item.No = no;
  const std::size_t last = rest.rfind(',');
  if (last == std::string_view::npos) {
    item.Command = std::string(rest);
  } else {
    item.Command = std::string(rest.substr(0, last));
    item.Enabled = rest.substr(last + 1) == "1";
  }
  return item;
}

}  // namespace zr4
