// The program on Linux: one instance per user through the instance lock and the user's local
// socket; SIGTERM and SIGINT close the window; suspend, resume and the end of the session come
// from logind and the session manager.
#include <QGuiApplication>
#include <QSessionManager>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "core/app/instance_requests.h"
#include "core/automation/forwarding.h"
#include "core/ports/log.h"
#include "platform/app/instance_handover_linux.h"
#include "shell/app/controller_app.h"
#include "shell/app/instance_server_linux.h"
#include "shell/app/logind_watcher_linux.h"
#include "shell/app/mpris_linux.h"
#include "shell/app/program_entry.h"
#include "shell/app/signal_bridge_linux.h"
#include "shell/app/test_hooks_linux.h"

namespace zr4 {
namespace {

constexpr const char* kDoesNotAnswer =
    "the running instance does not answer (it is stopped or hung)";

// --status: the running instance answers; without one (or while it closes) the component is
// read once.
int RunStatus(int& argc, char** argv, const ProgramOptions& options,
              const std::optional<InstanceAddress>& address, const InstanceWaitLimits& limits) {
  const InstanceVerb verb = options.json ? InstanceVerb::StatusJson : InstanceVerb::Status;
  if (address) {
    const InstanceReply reply = SendInstanceRequest(*address, {verb, {}}, limits.replyMs);
    if (reply.outcome == InstanceReply::Outcome::TimedOut) {
      std::fprintf(stderr, "zr4pcctrl: %s\n", kDoesNotAnswer);
      return 1;
    }
    if (reply.outcome == InstanceReply::Outcome::Answered) {
      std::printf("%s\n", reply.line.c_str());
      return 0;
    }
  }
  return PrintStatusOnce(argc, argv, options);
}

// --sim-remote KEY: the running instance presses the key on its simulated component.
int RunSimRemote(const ProgramOptions& options, const std::optional<InstanceAddress>& address,
                 const InstanceWaitLimits& limits) {
  InstanceReply reply;
  if (address)
    reply = SendInstanceRequest(*address, {InstanceVerb::SimRemote, options.simRemoteKey},
                                limits.replyMs);
  if (reply.outcome == InstanceReply::Outcome::NotListening) {
    std::fprintf(stderr, "zr4pcctrl: --sim-remote: no running instance to press the key on\n");
    return 1;
  }
  if (reply.outcome != InstanceReply::Outcome::Answered || reply.line != kInstanceReplyOk) {
    std::fprintf(
        stderr, "zr4pcctrl: --sim-remote: %s\n",
        reply.outcome != InstanceReply::Outcome::Answered ? kDoesNotAnswer : reply.line.c_str());
    return 1;
  }
  return 0;
}

// What a later start asks of the running instance, in order: its command line (or, without
// one, to come to the front), then the picture it wants.
std::vector<InstanceRequest> LaterStartRequests(const ProgramOptions& options) {
  std::vector<InstanceRequest> requests;
  if (!options.params.empty())
    requests.push_back({InstanceVerb::Forward, BuildForwardedText(options.params)});
  if (!options.screenshotFile.empty()) {
    // The instance runs elsewhere: a relative path would name another file there.
    std::error_code unknownFolder;
    const std::filesystem::path file =
        std::filesystem::absolute(options.screenshotFile, unknownFolder);
    requests.push_back({InstanceVerb::Screenshot, file.string()});
  }
  if (requests.empty()) requests.push_back({InstanceVerb::Restore, {}});
  return requests;
}

// Another instance holds the lock: hand it the requests. Returns the exit code, or nothing when
// the instance went away and this start holds the lock now: it then runs as the instance, with
// what was not handed over yet left in `options`.
std::optional<int> RunLaterStart(ProgramOptions& options, const InstanceAddress& address,
                                 std::optional<InstanceLock>& lock,
                                 const InstanceWaitLimits& limits) {
  for (const InstanceRequest& request : LaterStartRequests(options)) {
    // The instance takes no longer path: it would drop the request unanswered.
    if (request.verb == InstanceVerb::Screenshot && request.text.size() > kPicturePathMax) {
      std::fprintf(stderr,
                   "zr4pcctrl: cannot save %s: the path is too long to hand to the running "
                   "instance (at most %zu bytes)\n",
                   request.text.c_str(), kPicturePathMax);
      return 1;
    }
    const HandOverResult result = HandOver(address, request, lock, limits);
    switch (result.outcome) {
      case HandOverResult::Outcome::Answered:
        if (request.verb == InstanceVerb::Forward) options.params.clear();
        if (request.verb != InstanceVerb::Screenshot) break;
        if (!result.reply.starts_with(kInstanceReplySaved)) {
          // "FAILED " and the reason (an older instance gives none).
          const std::string_view reason =
              std::string_view(result.reply)
                  .substr(std::min(result.reply.size(), kInstanceReplyFailed.size() + 1));
          std::fprintf(stderr, "zr4pcctrl: the running instance cannot save %s%s%.*s\n",
                       request.text.c_str(), reason.empty() ? "" : ": ",
                       static_cast<int>(reason.size()), reason.data());
          return 1;
        }
        std::printf("%s\nSaved window picture to %s\n",
                    result.reply.substr(kInstanceReplySaved.size()).c_str(), request.text.c_str());
        break;
      case HandOverResult::Outcome::BecameInstance:
        return std::nullopt;
      case HandOverResult::Outcome::NoAnswer:
      case HandOverResult::Outcome::Hung:
        std::fprintf(stderr, "zr4pcctrl: %s; the request was not handed over\n",
                     result.outcome == HandOverResult::Outcome::Hung
                         ? kDoesNotAnswer
                         : "another instance holds the lock but does not answer");
        return 1;
      case HandOverResult::Outcome::Unfinished:
        std::fprintf(stderr,
                     "zr4pcctrl: the running instance took the request but did not finish it "
                     "(it is stopped, hung or gone)\n");
        return 1;
    }
  }
  return 0;
}

// The first instance: the controller window until it closes.
int RunController(int& argc, char** argv, const ProgramOptions& options,
                  const std::optional<InstanceAddress>& address, InstanceLock* lock,
                  const TestHooks& hooks) {
  ControllerApp app(argc, argv, options);
  MainWindow& window = app.Window();
  TController& controller = app.Controller();
  // From here on a signal waits for the event loop and then closes the window.
  TerminationSignals termination;
  QObject::connect(&termination, &TerminationSignals::terminationRequested, &window,
                   [&](int number) {
                     LogText("Signal " + std::to_string(number) + ": closing");
                     window.close();
                   });

  // Connected first, so that it runs before the socket goes (and also when the window closes
  // during start-up): a later start that finds no one listening reads that this instance is
  // closing, and waits for it however long its save takes.
  if (lock)
    QObject::connect(&window, &MainWindow::closing, &window, [lock] { lock->MarkClosing(); });

  app.Create();

  TInstanceRequests requests(controller, app.WindowForRequests());
  InstanceServer server([&](const InstanceRequest& request) { return requests.Answer(request); });
  if (std::string error; address && !server.Listen(address->socketPath, error))
    std::fprintf(stderr, "zr4pcctrl: a later start cannot reach this one: %s\n", error.c_str());
  QObject::connect(&window, &MainWindow::closing, &server, &InstanceServer::Stop);
  if (hooks.closeDelayMs > 0) {
    QObject::connect(&window, &MainWindow::closing, &window, [&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(hooks.closeDelayMs));
    });
  }

  LogindWatcher logind;
  QObject::connect(&logind, &LogindWatcher::powerBroadcast, &window,
                   [&](int event) { controller.PowerBroadcast(event); });
  QObject::connect(&logind, &LogindWatcher::sessionEnding, &window, &MainWindow::EndSession);
  logind.Start();

  // In the desktop's media controls, following the polls the window makes anyway.
  std::unique_ptr<MprisPlayer> mediaControls;
  if (options.mediaControls) {
    mediaControls = std::make_unique<MprisPlayer>(controller, window);
    if (!mediaControls->Register()) mediaControls.reset();
  }
#ifndef QT_NO_SESSIONMANAGER
  QObject::connect(&app.Application(), &QGuiApplication::commitDataRequest, &window,
                   [&](QSessionManager&) { controller.QueryEndSession(); });
#endif

  return app.Run();
}

}  // namespace
}  // namespace zr4

int main(int argc, char** argv) {
  using namespace zr4;
  ProgramOptions options;
  const auto toStandardError = [](std::string_view line) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  };
  if (const std::optional<int> ended = BeginProgram(argc, argv, toStandardError, options))
    return *ended;

  std::string error;
  const std::optional<InstanceAddress> address = ResolveInstanceAddress(error);
  if (!address)
    std::fprintf(stderr, "zr4pcctrl: running without single instance: %s\n", error.c_str());

  const TestHooks hooks = ReadTestHooks();
  if (options.status) return RunStatus(argc, argv, options, address, hooks.waits);
  if (!options.simRemoteKey.empty()) return RunSimRemote(options, address, hooks.waits);
  std::optional<InstanceLock> lock;
  if (address) lock.emplace(address->lockPath);
  if (lock && lock->HeldElsewhere()) {
    if (const std::optional<int> ended = RunLaterStart(options, *address, lock, hooks.waits))
      return *ended;
  }
  if (lock && !lock->Held()) {
    // Better a second window than none at all.
    std::fprintf(stderr, "zr4pcctrl: running without single instance: %s\n", lock->Error().c_str());
    lock.reset();
  }
  return RunController(argc, argv, options, lock ? address : std::nullopt, lock ? &*lock : nullptr,
                       hooks);
}
