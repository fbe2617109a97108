#include "shell/app/controller_app.h"

#include <QGuiApplication>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <exception>

#include "core/panel/status_report.h"
#include "core/skin/png_writer.h"
#include "platform/app/wayland_choice.h"
#include "platform/base/program_folder.h"
#include "platform/settings/settings_location.h"

namespace zr4 {

namespace {
// Messages go to standard error instead of a message box where no one could click them away.
bool Interactive(const ProgramOptions& options) {
  return QGuiApplication::platformName() != "offscreen" && options.screenshotFile.empty();
}
}  // namespace

int& ControllerApp::ProgramApplication::BeforeStart(int& argc) {
  PreferXWayland();
  // Skins are pixel pictures: whole-number scales keep every pixel square.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  return argc;
}

ControllerApp::ProgramApplication::ProgramApplication(int& argc, char** argv)
    : QApplication(BeforeStart(argc), argv) {
  setApplicationName("zr4pcctrl");
  setApplicationVersion(ZR4_VERSION);
  // The installed desktop entry's name: the desktop matches the window to its entry and icon.
  setDesktopFileName("io.github.zr4pcctrl.zr4pcctrl");
  setQuitOnLastWindowClosed(false);
}

ControllerApp::ControllerApp(int& argc, char** argv, const ProgramOptions& options)
    : options_(options),
      program_(argv[0]),
      application_(argc, argv),
      device_(clock_, options.simulate),
      link_(clock_, device_.Finder()),
      window_(Interactive(options), tray_, FoldersOf(ProgramFolder())),
      settings_{files_, codec_, SettingsFilePath()},
      pcPorts_(CreatePcPorts(window_)),
      controller_(clock_, link_, window_.Views(), &settings_, Ports()) {
  files_.RemoveStaleTemporaries(settings_.Path);
  window_.SetController(&controller_);
  tray_.SetEvents({
      .mouse = [this](TTrayMouse event,
                      TTrayButton button) { controller_.TrayMouse(event, button); },
      .taskbarCreated = [this] { controller_.TaskbarCreated(); },
  });
  // A window closed before the loop runs ("-EXIT" on the command line, a signal while the
  // start-up notice is open) means there is no loop to run: a quit before it would be lost.
  QObject::connect(&window_, &MainWindow::closed, &application_, [this] {
    windowClosed_ = true;
    QCoreApplication::quit();
  });
}

TPcPorts ControllerApp::Ports() const {
  TPcPorts ports;
  ports.audio = pcPorts_.audio.get();
  ports.actions = {pcPorts_.power.get(), pcPorts_.monitor.get(), pcPorts_.players.get(),
                   pcPorts_.appWindows.get()};
  ports.loginStart = pcPorts_.loginStart.get();
  ports.skins = &skins_.Ports();
  return ports;
}

void ControllerApp::Create() {
  controller_.FormCreate({options_.params, device_.Discovery(), program_,
                          QApplication::doubleClickInterval(), tray_.HostClicks(),
                          &device_.Simulator(), options_.atLogin});

  // A component plugged in, switched on or unplugged while the program runs: discovery again.
  // A component that left leaves the link without a device and the display as it was.
  device_.WatchBus(&window_, [this] {
    link_.Discover();
    controller_.DeviceRediscovered(device_.Discovery());
  });
}

int ControllerApp::Run() {
  if (windowClosed_) return 0;
  int exitCode = 0;
  if (!options_.screenshotFile.empty()) {
    QTimer::singleShot(0, &window_, [&] {
      const std::string& file = options_.screenshotFile;
      std::printf("%s\n", FormatStatusLine(controller_.Labels()).c_str());
      if (std::string error; SaveWindowPicture(window_, files_, file, error)) {
        std::printf("Saved window picture to %s\n", file.c_str());
      } else {
        std::fprintf(stderr, "zr4pcctrl: cannot save %s: %s\n", file.c_str(), error.c_str());
        exitCode = 1;
      }
      window_.close();
    });
  }
  const int loopCode = application_.exec();
  return exitCode != 0 ? exitCode : loopCode;
}

TInstanceWindow ControllerApp::WindowForRequests() {
  return {[this] { window_.RestoreAndRaise(); },
          [this](const std::string& file, std::string& error) {
            return SaveWindowPicture(window_, files_, file, error);
          }};
}

bool SaveWindowPicture(MainWindow& window, SystemFileStore& files, const std::string& file,
                       std::string& error) {
  // Encoded whole in memory first: the file is then written in one go, or not at all.
  const QImage picture = window.Picture();
  std::string png;
  try {
    png = EncodePng(picture.width(), picture.height(),
                    reinterpret_cast<const std::uint32_t*>(picture.constBits()),
                    static_cast<std::size_t>(picture.bytesPerLine()) / 4);
  } catch (const std::exception&) {
    error = "the picture could not be encoded";
    return false;
  }
  return files.WriteUserFile(file, png, error);
}

}  // namespace zr4
