// The program: its own switches, one instance per user, the controller window and the
// process's events (signals, suspend and resume, the end of the session). On Windows the named
// mutex and the program's hidden native window take the place of the instance lock and socket,
// and of logind and the signals.
#include <QApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "core/app/controller.h"
#include "core/app/display_model.h"
#include "core/app/forwarding.h"
#include "core/app/program_options.h"
#include "core/app/status_report.h"
#include "core/device/usb_access.h"
#include "core/device/zr4ctrl.h"
#include "core/ports/log.h"
#include "platform/app/file_store_system.h"
#include "platform/app/settings_location.h"
#include "platform/app/text_codec_system.h"
#include "shell/app/device_setup.h"
#include "shell/app/main_window.h"
#include "shell/app/qt_clock.h"
#include "shell/app/skin_setup.h"
#include "shell/app/wayland_choice.h"
#ifdef _WIN32
#include "platform/app/debugger_log_windows.h"
#include "platform/app/single_instance_windows.h"
#else
#include "shell/app/logind_watcher.h"
#include "shell/app/signal_bridge.h"
#include "shell/app/single_instance.h"
#endif

namespace zr4 {
namespace {

#ifndef _WIN32
// How long a request to the running instance may take; a forwarded command line is answered
// only once it has run.
constexpr int kInstanceReplyTimeoutMs = 10000;
// A later start that finds the lock taken keeps trying this long while the first instance is
// still starting up, then ends silently.
constexpr int kInstanceStartupWaitMs = 5000;
constexpr int kInstanceRetryMs = 100;
#endif

bool EnvIs(const char* name, const char* value) {
  const char* set = std::getenv(name);
  return set != nullptr && std::strcmp(set, value) == 0;
}

void PrintLine(const std::string& text) {
  std::printf("%s\n", text.c_str());
}

// Reads the component once and prints the status as the window would show it.
int ReadStatusOnce(const char* program, const ProgramOptions& options) {
  QtClock clock;
  DeviceSetup device(clock, options.simulate);
  TZR4Ctrl link(clock, device.Finder());
  TDiscoveryOutcome discovery = device.Discovery();
  discovery.componentMissing = discovery.componentMissing || !link.Found;
  if (discovery.componentMissing) {
    // A script must not take the stand-in for the real component.
    std::fprintf(stderr, "%s\n", DiscoveryNotice(discovery, program).c_str());
    return 1;
  }
  link.ReadStatus();
  const TPanelLabels labels = DisplayLabels(link.Status, TPanelLabels{});
  PrintLine(options.json ? FormatStatusJson(labels, link.Status.Volume) : FormatStatusLine(labels));
  return 0;
}

#ifdef _WIN32
// --status: no channel asks the running instance on Windows; the component is read once, as
// when no instance runs. Each request opens and closes the device, so a running instance is not
// disturbed.
int RunStatus(int& argc, char** argv, const ProgramOptions& options) {
  QCoreApplication app(argc, argv);
  return ReadStatusOnce(argv[0], options);
}

// Another instance runs: hand it the command line (or ask it to come to the front) and end.
// Without its window there is no one to hand it to, and this start ends silently.
int RunLaterStart(const ProgramOptions& options) {
  if (ForwardToRunningInstance(options.params))
    LogText("Single instance: handed over to the running instance");
  else
    LogText("Single instance: another instance runs but has no window");
  return 0;
}
#else
// --status: the running instance answers; without one the component is read once.
int RunStatus(int& argc, char** argv, const ProgramOptions& options,
              const std::optional<InstanceAddress>& address) {
  QCoreApplication app(argc, argv);
  const InstanceVerb verb = options.json ? InstanceVerb::StatusJson : InstanceVerb::Status;
  if (address) {
    if (auto reply =
            SendInstanceRequest(address->socketPath, {verb, {}}, kInstanceReplyTimeoutMs)) {
      if (reply->empty()) {
        std::fprintf(stderr, "zr4pcctrl: the running instance did not answer\n");
        return 1;
      }
      PrintLine(*reply);
      return 0;
    }
  }
  return ReadStatusOnce(argv[0], options);
}

// Another instance runs: hand it the command line (or ask it to come to the front) and end.
int RunLaterStart(int& argc, char** argv, const ProgramOptions& options,
                  const InstanceAddress& address) {
  QCoreApplication app(argc, argv);
  const InstanceRequest request =
      options.params.empty()
          ? InstanceRequest{InstanceVerb::Restore, {}}
          : InstanceRequest{InstanceVerb::Forward, BuildForwardedText(options.params)};
  std::optional<std::string> reply;
  for (int waited = 0; waited <= kInstanceStartupWaitMs; waited += kInstanceRetryMs) {
    reply = SendInstanceRequest(address.socketPath, request, kInstanceReplyTimeoutMs);
    if (reply) break;
    QThread::msleep(kInstanceRetryMs);
  }
  if (!reply) {
    LogText("Single instance: another instance holds the lock but does not answer");
  } else if (reply->empty()) {
    std::fprintf(stderr, "zr4pcctrl: the running instance did not confirm the request\n");
  } else {
    LogText("Single instance: handed over to the running instance");
  }
  return 0;
}

std::string AnswerInstanceRequest(const InstanceRequest& request, TController& controller,
                                  MainWindow& window) {
  switch (request.verb) {
    case InstanceVerb::Forward:
      controller.ExecuteParams(request.text);
      break;
    case InstanceVerb::Restore:
      LogText("Single instance: restore the window");
      window.RestoreAndRaise();
      break;
    case InstanceVerb::Status:
      return FormatStatusLine(controller.Labels());
    case InstanceVerb::StatusJson:
      return FormatStatusJson(controller.Labels(), controller.VolumeSlider().position);
  }
  return std::string(kInstanceReplyOk);
}
#endif

// The first instance: the controller window until it closes.
#ifdef _WIN32
int RunController(int& argc, char** argv, const ProgramOptions& options) {
#else
int RunController(int& argc, char** argv, const ProgramOptions& options,
                  const std::optional<InstanceAddress>& address) {
#endif
  // Skins are pixel pictures: whole-number scales keep every pixel square.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication app(argc, argv);
  QApplication::setApplicationName("zr4pcctrl");
  QApplication::setApplicationVersion(ZR4_VERSION);
  QApplication::setQuitOnLastWindowClosed(false);
  const bool screenshot = !options.screenshotFile.empty();
  const bool interactive = QGuiApplication::platformName() != "offscreen" && !screenshot;

  QtClock clock;
  DeviceSetup device(clock, options.simulate);
  TZR4Ctrl link(clock, device.Finder());
  MainWindow window(interactive);
  SystemFileStore files;
  SystemTextCodec codec;
  const SettingsStorage settings{files, codec, SettingsFilePath()};
  SkinSetup skins;
  TController controller(clock, link, window, &settings, {.skins = &skins.Ports()});
  window.SetController(&controller);
  QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit);
#ifndef _WIN32
  // From here on a signal waits for the event loop and then closes the window.
  TerminationSignals termination;
  QObject::connect(&termination, &TerminationSignals::terminationRequested, &window,
                   [&](int number) {
                     LogText("Signal " + std::to_string(number) + ": closing");
                     window.close();
                   });
#endif

  controller.FormCreate({options.params, device.Discovery(), argv[0]});

  // A component plugged in, switched on or unplugged while the program runs: discovery again.
  // A component that left leaves the link without a device and the display as it was.
  device.WatchBus(&window, [&] {
    link.Discover();
    controller.DeviceRediscovered(device.Discovery());
  });

#ifdef _WIN32
  // The hidden native window of the controller's class: what a second start hands over, power
  // events and the end of the session. (No tray icon exists yet that a restarted taskbar would
  // have to get back.)
  InstanceWindow::Handlers events;
  events.forwarded = [&](const std::string& text) { controller.ExecuteParams(text); };
  events.restore = [&] {
    LogText("Single instance: restore the window");
    window.RestoreAndRaise();
  };
  events.power_broadcast = [&](int event) { controller.PowerBroadcast(event); };
  events.query_end_session = [&] { return controller.QueryEndSession(); };
  InstanceWindow nativeWindow(std::move(events));
  if (!nativeWindow.Created())
    LogText("Single instance: the window for later starts could not be created");
#else
  InstanceServer server([&](const InstanceRequest& request) {
    return AnswerInstanceRequest(request, controller, window);
  });
  if (std::string error; address && !server.Listen(address->socketPath, error))
    std::fprintf(stderr, "zr4pcctrl: a later start cannot reach this one: %s\n", error.c_str());

  LogindWatcher logind;
  QObject::connect(&logind, &LogindWatcher::powerBroadcast, &window,
                   [&](int event) { controller.PowerBroadcast(event); });
  QObject::connect(&logind, &LogindWatcher::sessionEnding, &window, &MainWindow::EndSession);
  logind.Start();
#ifndef QT_NO_SESSIONMANAGER
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                   [&](QSessionManager&) { controller.QueryEndSession(); });
#endif
#endif

  int exitCode = 0;
  if (screenshot) {
    QTimer::singleShot(0, &window, [&] {
      const QString file = QString::fromStdString(options.screenshotFile);
      PrintLine(FormatStatusLine(controller.Labels()));
      if (window.Picture().save(file, "PNG")) {
        PrintLine("Saved window picture to " + options.screenshotFile);
      } else {
        std::fprintf(stderr, "zr4pcctrl: cannot save %s\n", options.screenshotFile.c_str());
        exitCode = 1;
      }
      window.close();
    });
  }
  const int loopCode = app.exec();
  return exitCode != 0 ? exitCode : loopCode;
}

}  // namespace
}  // namespace zr4

int main(int argc, char** argv) {
  using namespace zr4;
  const ProgramOptions options =
      ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.error.empty()) {
    std::fprintf(stderr, "zr4pcctrl: %s\n\n%s", options.error.c_str(), ProgramUsage().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(ProgramUsage().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    PrintLine(std::string("zr4pcctrl ") + ZR4_VERSION);
    return 0;
  }
  if (options.printUdevRules) {
    std::fputs(UdevRulesText().c_str(), stdout);
    return 0;
  }
  if (!options.checkSkin.empty()) return CheckSkin(options.checkSkin, options.json);
  PreferXWayland();
#ifdef _WIN32
  if (options.debug || EnvIs("ZR4PC_DEBUG", "1")) SetLogSink(LogToDebugger);

  if (options.status) return RunStatus(argc, argv, options);
  // Held until the process ends.
  const InstanceMutex mutex;
  if (mutex.AnotherInstanceRuns()) return RunLaterStart(options);
  return RunController(argc, argv, options);
#else
  if (options.debug || EnvIs("ZR4PC_DEBUG", "1")) {
    SetLogSink([](std::string_view line) {
      std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
    });
  }

  std::string error;
  const std::optional<InstanceAddress> address = ResolveInstanceAddress(error);
  if (!address)
    std::fprintf(stderr, "zr4pcctrl: running without single instance: %s\n", error.c_str());

  if (options.status) return RunStatus(argc, argv, options, address);
  std::optional<InstanceLock> lock;
  if (address) lock.emplace(address->lockPath);
  if (lock && lock->HeldElsewhere()) return RunLaterStart(argc, argv, options, *address);
  if (lock && !lock->Held()) {
    // Better a second window than none at all.
    std::fprintf(stderr, "zr4pcctrl: running without single instance: %s\n", lock->Error().c_str());
    lock.reset();
  }
  return RunController(argc, argv, options, lock ? address : std::nullopt);
#endif
}
