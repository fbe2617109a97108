// The program on Windows: the named mutex marks the running instance, and a hidden top-level
// window of the controller's class receives what a later start hands over or asks, the power
// events and the end of the session. Diagnostics go to the debugger.
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

// How long a status request may take: the instance answers it at once unless it is stuck.
constexpr UINT kStatusTimeoutMs = 10000;

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

// --status: the running instance answers; without one (or while it is still starting) the
// component is read once. Each read opens and closes the device, so a running instance is not
// disturbed.
int RunStatus(int& argc, char** argv, const ProgramOptions& options) {
  const StatusAnswer answer = AskRunningInstance(options.json, kStatusTimeoutMs);
  if (answer.outcome == StatusAnswer::Outcome::TimedOut) {
    std::fprintf(stderr,
                 "zr4pcctrl: the running instance does not answer (it is stopped or hung)\n");
    return 1;
  }
  if (answer.outcome == StatusAnswer::Outcome::Answered) {
    std::printf("%s\n", answer.line.c_str());
    return 0;
  }
  return PrintStatusOnce(argc, argv, options);
}

// The instance's mutex is held until the process ends.
int RunProgram(int& argc, char** argv) {
  ProgramOptions options;
  if (const std::optional<int> ended = BeginProgram(argc, argv, LogToDebugger, options))
    return *ended;

  if (options.status) return RunStatus(argc, argv, options);
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
