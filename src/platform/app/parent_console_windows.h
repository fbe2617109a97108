// A Windows GUI program has no console of its own. Started from a console (cmd, PowerShell) it
// writes its lines there by attaching to its parent's console; a standard stream redirected to a
// file, a pipe or a device stays as it is, so that a script still reads it. The Win32 calls sit
// behind an interface with portable types, so that the choice is the same code on every
// platform and is checked against a recording fake; the system implementation lives in
// parent_console_api_windows.cpp.
#pragma once

namespace zr4 {

enum class StandardStream { Output, Error };

class Win32ConsoleApi {
 public:
  virtual ~Win32ConsoleApi() = default;

  // The stream's standard handle leads somewhere (a file, a pipe, a device or a console).
  virtual bool HasTarget(StandardStream stream) = 0;
  // AttachConsole(ATTACH_PARENT_PROCESS): false when the parent has no console.
  virtual bool AttachParentConsole() = 0;
  // The C stream (stdout, stderr) from now on writes to the attached console ("CONOUT$").
  virtual void ReopenOnConsole(StandardStream stream) = 0;
  virtual void FreeConsole() = 0;
};

// The process-wide system implementation (Windows only).
Win32ConsoleApi& SystemWin32ConsoleApi();

// Held from the start: attaches to the parent's console when a standard stream has nowhere to
// go, and reopens on it only those streams.
class ParentConsole {
 public:
  explicit ParentConsole(Win32ConsoleApi& api);
  ParentConsole(const ParentConsole&) = delete;
  ParentConsole& operator=(const ParentConsole&) = delete;

  bool Attached() const { return attached_; }

  // This start becomes the running controller: lets the console go, since closing a console
  // ends every process attached to it at once (unsaved, the component left on).
  void Release();

 private:
  Win32ConsoleApi& api_;
  bool attached_ = false;
};

}  // namespace zr4
