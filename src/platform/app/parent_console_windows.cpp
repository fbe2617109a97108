#include "platform/app/parent_console_windows.h"

namespace zr4 {

ParentConsole::ParentConsole(Win32ConsoleApi& api) : api_(api) {
  const bool output = api_.HasTarget(StandardStream::Output);
  const bool error = api_.HasTarget(StandardStream::Error);
  if (output && error) return;
  attached_ = api_.AttachParentConsole();
  if (!attached_) return;
  if (!output) api_.ReopenOnConsole(StandardStream::Output);
  if (!error) api_.ReopenOnConsole(StandardStream::Error);
}

void ParentConsole::Release() {
  if (!attached_) return;
  api_.FreeConsole();
  attached_ = false;
}

}  // namespace zr4
