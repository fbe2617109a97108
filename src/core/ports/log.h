// Diagnostics: plain lines for whoever debugs the program, never written to a file.
#pragma once

#include <functional>
#include <string_view>

namespace zr4 {

using LogSink = std::function<void(std::string_view line)>;

// Writes one diagnostic line to the installed sink; without a sink the line is dropped.
void LogText(std::string_view line);

// Installs the sink (an empty function turns diagnostics off) and returns the previous one.
LogSink SetLogSink(LogSink sink);

// A notice for the person running the program, such as a file it refuses to read or keeps as it
// is: one line to the notice sink (standard error) and to the diagnostics.
void NoticeText(std::string_view line);
LogSink SetNoticeSink(LogSink sink);

}  // namespace zr4
