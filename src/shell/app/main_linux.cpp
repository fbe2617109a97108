// The program on Linux: one instance per user through the instance lock and the user's local
// socket (what a later start asks is decided in core/instance/later_start.h); SIGTERM and SIGINT
// close the window; suspend, resume and the end of the session come from logind and the session
// manager.
#include <QGuiApplication>
#include <QSessionManager>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "core/instance/forwarding.h"
#include "core/instance/instance_requests.h"
#include "core/ports/log.h"
#include "platform/app/signal_bridge_linux.h"
#include "platform/app/test_hooks_linux.h"
#include "platform/commands/mpris_linux.h"
#include "platform/gestures/logind_watcher_linux.h"
#include "platform/instance/instance_channel_linux.h"
#include "platform/instance/instance_server_linux.h"
#include "shell/app/controller_app.h"
#include "shell/app/program_entry.h"

namespace zr4 {
namespace {

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
  QObject::connect(&logind, &LogindWatcher::suspending, &window,
                   [&] { controller.PowerBroadcast(kPowerSuspend); });
  QObject::connect(&logind, &LogindWatcher::resumed, &window, [&] { controller.Resumed(); });
  QObject::connect(&logind, &LogindWatcher::sessionEnding, &window, &MainWindow::EndSession);
  logind.Start();

  // In the desktop's media controls, following the polls the window makes anyway.
  std::unique_ptr<MprisPlayer> mediaControls;
  if (options.mediaControls) {
    mediaControls = std::make_unique<MprisPlayer>(
        MprisMedia{[&]() -> const TMediaState& { return controller.MediaState(); },
                   [&](double volume) { controller.SetMediaVolume(volume); },
                   [&](TMediaKey key) { controller.MediaKey(key); }},
        MprisWindowActions{[&] { window.RestoreAndRaise(); }, [&] { window.close(); }});
    QObject::connect(&window, &MainWindow::statusShown, mediaControls.get(), &MprisPlayer::Update);
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
  const StartConsole console = StandardStreams();
  std::optional<InstanceLock> lock;
  LinuxInstanceChannel channel(address, lock, hooks.waits);
  // --status: without an instance that answers (or while it closes) the component is read once.
  if (options.status) {
    const std::optional<int> answered = AskStatus(channel, options.json, console);
    return answered ? *answered : PrintStatusOnce(argc, argv, options);
  }
  if (!options.simRemoteKey.empty()) return PressSimRemote(channel, options.simRemoteKey, console);
  if (address) lock.emplace(address->lockPath);
  if (lock && lock->HeldElsewhere()) {
    // The instance runs elsewhere: a relative path would name another file there.
    std::error_code unknownFolder;
    const std::string picture =
        options.screenshotFile.empty()
            ? std::string()
            : std::filesystem::absolute(options.screenshotFile, unknownFolder).string();
    if (const std::optional<int> ended =
            HandOverLaterStart(options, LaterStartRequests(options, picture), channel, console))
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
