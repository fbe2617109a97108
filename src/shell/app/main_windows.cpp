// The program on Windows: the named mutex marks the running instance, and a hidden top-level
// window of the controller's class receives what a later start hands over or asks, the power
// events and the end of the session. Diagnostics go to the debugger. The program has no console
// of its own: a start from a console writes its lines there.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "core/instance/instance_requests.h"
#include "core/ports/log.h"
#include "shell/app/controller_app.h"
#include "shell/app/program_entry.h"

// The system's headers after the program's own, so that their macros cannot reach those.
#include "platform/app/parent_console_windows.h"
#include "platform/base/debugger_log_windows.h"
#include "platform/instance/instance_channel_windows.h"
#include "platform/instance/single_instance_windows.h"

namespace zr4 {
namespace {

// The first instance: the controller window until it closes.
int RunController(int& argc, char** argv, const ProgramOptions& options,
                  ParentConsole& parentConsole) {
  // Started from a console, the controller must outlive it.
  parentConsole.Release();
  ControllerApp app(argc, argv, options);
  TController& controller = app.Controller();

  // The hidden native window of the controller's class: what a later start hands over, power
  // events and the end of the session. It exists before the controller window is created, so
  // that a later start coming while start-up shows a message finds it: what it hands over waits
  // for the window.
  TInstanceRequests requests(controller, app.WindowForRequests());
  requests.HoldUntilCreated();
  InstanceWindow::Handlers events;
  events.forwarded = [&](const std::string& text) {
    requests.Answer({InstanceVerb::Forward, text});
  };
  events.restore = [&] { requests.Answer({InstanceVerb::Restore, {}}); };
  events.status = [&](bool json) {
    return requests.Answer({json ? InstanceVerb::StatusJson : InstanceVerb::Status, {}});
  };
  // The system's events concern the controller only once it stands: before, its settings are
  // not read yet, and saving them at the end of the session would lose them.
  bool created = false;
  events.powerBroadcast = [&](int event) {
    if (created) controller.PowerBroadcast(event);
  };
  events.queryEndSession = [&] { return !created || controller.QueryEndSession(); };
  InstanceWindow nativeWindow(std::move(events));
  if (!nativeWindow.Created())
    LogText("Single instance: the window for later starts could not be created");

  app.Create();
  created = true;
  requests.WindowCreated();
  return app.Run();
}

// The instance's mutex is held until the process ends.
int RunProgram(int& argc, char** argv) {
  ParentConsole parentConsole(SystemWin32ConsoleApi());
  ProgramOptions options;
  if (const std::optional<int> ended = BeginProgram(argc, argv, LogToDebugger, options))
    return *ended;

  const StartConsole console = StandardStreams();
  WindowsInstanceChannel channel;
  // --status: without an instance that answers (or while it is still starting) the component is
  // read once. Each read opens and closes the device, so a running instance is not disturbed.
  if (options.status) {
    const std::optional<int> answered = AskStatus(channel, options.json, console);
    return answered ? *answered : PrintStatusOnce(argc, argv, options);
  }
  if (!options.simRemoteKey.empty()) return PressSimRemote(channel, options.simRemoteKey, console);
  // Held until the process ends.
  const InstanceMutex mutex;
  if (mutex.AnotherInstanceRuns()) {
    // The copy-data records reach the window or no one: this start never becomes the instance.
    return HandOverLaterStart(options, LaterStartRequests(options, options.screenshotFile), channel,
                              console)
        .value_or(0);
  }
  return RunController(argc, argv, options, parentConsole);
}

}  // namespace
}  // namespace zr4

int main(int argc, char** argv) {
  return zr4::RunProgram(argc, argv);
}
