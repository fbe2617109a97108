// The Win32 calls of the parent's console as the system provides them.
#include <windows.h>

#include <cstdio>

#include "platform/app/parent_console_windows.h"

namespace zr4 {

namespace {

class SystemConsoleApi : public Win32ConsoleApi {
 public:
  bool HasTarget(StandardStream stream) override {
    HANDLE handle =
        GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    // A GUI program started without redirection has no handle, or one of no known kind.
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
  }

  bool AttachParentConsole() override { return AttachConsole(ATTACH_PARENT_PROCESS) != FALSE; }

  void ReopenOnConsole(StandardStream stream) override {
    std::FILE* file = stream == StandardStream::Output ? stdout : stderr;
    std::freopen("CONOUT$", "w", file);
  }

  void FreeConsole() override { ::FreeConsole(); }
};

}  // namespace

Win32ConsoleApi& SystemWin32ConsoleApi() {
  static SystemConsoleApi api;
  return api;
}

}  // namespace zr4
