// Diagnostics on Windows go to the debugger's output stream, where a debugger or a viewer such as
// DebugView shows them; they are never written to a file.
#pragma once

#include <string_view>

namespace zr4 {

// A log sink (see core/ports/log.h): one line per call.
void LogToDebugger(std::string_view line);

}  // namespace zr4
