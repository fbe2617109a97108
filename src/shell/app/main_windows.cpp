// The program on Windows: the named mutex marks the running instance, and a hidden top-level
// window of the controller's class receives what a later start hands over, the power events and
// the end of the session. Diagnostics go to the debugger.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/instance_requests.h"
#include "core/ports/log.h"
#include "shell/app/controller_app.h"
#include "shell/app/program_entry.h"

// The system's headers after the program's own, so that their macros cannot reach those.
#include "platform/app/debugger_log_windows.h"
#include "platform/app/single_instance_windows.h"

namespace zr4 {
namespace {

// Another instance runs: hand it the command line (or ask it to come to the front) and end.
// Without its window there is no one to hand it to, and this start ends silently. The message
// a second start sends carries no picture request.
int RunLaterStart(const ProgramOptions& options) {
  if (!options.screenshotFile.empty()) {
    std::fprintf(stderr, "zr4pcctrl: another instance runs and cannot save %s for this start\n",
                 options.screenshotFile.c_str());
    return 1;
  }
  if (ForwardToRunningInstance(options.params))
    LogText("Single instance: handed over to the running instance");
  else
    LogText("Single instance: another instance runs but has no window");
  return 0;
}

// The first instance: the controller window until it closes.
int RunController(int& argc, char** argv, const ProgramOptions& options) {
  ControllerApp app(argc, argv, options);
  TController& controller = app.Controller();
  app.Create();

  // The hidden native window of the controller's class: what a second start hands over, power
  // events and the end of the session. (No tray icon exists yet that a restarted taskbar would
  // have to get back.)
  TInstanceRequests requests(controller, app.WindowForRequests());
  InstanceWindow::Handlers events;
  events.forwarded = [&](const std::string& text) {
    requests.Answer({InstanceVerb::Forward, text});
  };
  events.restore = [&] { requests.Answer({InstanceVerb::Restore, {}}); };
  events.powerBroadcast = [&](int event) { controller.PowerBroadcast(event); };
  events.queryEndSession = [&] { return controller.QueryEndSession(); };
  // A restarted taskbar has lost the tray icon.
  events.taskbarCreated = [&] { controller.Tray().TaskbarCreated(); };
  InstanceWindow nativeWindow(std::move(events));
  if (!nativeWindow.Created())
    LogText("Single instance: the window for later starts could not be created");

  return app.Run();
}

// The instance's mutex is held until the process ends.
int RunProgram(int& argc, char** argv) {
  ProgramOptions options;
  if (const std::optional<int> ended = BeginProgram(argc, argv, LogToDebugger, options))
    return *ended;

  // --status: no channel asks the running instance on Windows; the component is read once, as
  // when no instance runs. Each request opens and closes the device, so a running instance is
  // not disturbed.
  if (options.status) return PrintStatusOnce(argc, argv, options);
  if (!options.simRemoteKey.empty()) {
    // The window's channel carries only forwarded command lines.
    std::fprintf(stderr, "zr4pcctrl: --sim-remote is not available on Windows\n");
    return 1;
  }
  // Held until the process ends.
  const InstanceMutex mutex;
  if (mutex.AnotherInstanceRuns()) return RunLaterStart(options);
  return RunController(argc, argv, options);
}

}  // namespace
}  // namespace zr4

int main(int argc, char** argv) {
  return zr4::RunProgram(argc, argv);
}
