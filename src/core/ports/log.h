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

}  // namespace zr4
