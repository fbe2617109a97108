#include "platform/base/debugger_log_windows.h"

#include <windows.h>

#include <string>

namespace zr4 {

void LogToDebugger(std::string_view line) {
  // The stream carries raw text: the line end keeps consecutive lines apart in viewers that
  // append what they receive.
  std::string text(line);
  text += '\n';
  OutputDebugStringA(text.c_str());
}

}  // namespace zr4
