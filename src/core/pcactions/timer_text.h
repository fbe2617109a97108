// The text form of a timer entry as the settings file keeps it: WeekDay, Hour, Minute, Command and
// the enabled flag joined by single commas, for example "8,7,30,-ON,1".
#pragma once

#include <optional>
#include <string>

#include "core/pcactions/data_list.h"

namespace zr4 {

std::string TimerToText(const TMyTimerData& item);

// Reads a timer value taken from the key numbered `no`. WeekDay, Hour and Minute are the first
// three fields from the left; the enabled flag is the text after the last comma ("1" enables);
// the command is everything between, so a command holding commas reads back intact. A value
// with fewer than five fields is not enabled (a fourth field is still the command). Empty when the
// first three fields are not decimal integers. Fired is false.
std::optional<TMyTimerData> TimerFromText(const std::string& text, int no);

}  // namespace zr4
