// The controller as a running program, the same on every platform: the Qt application, the
// component (or the simulated one standing in), the window and the controller wired together,
// the event loop and --screenshot. Each platform's entry file adds its single instance and its
// system events (signals, suspend and resume, the end of the session) around it.
#pragma once

#include <QApplication>
#include <string>

#include "core/app/controller.h"
#include "core/device/zr4ctrl.h"
#include "core/instance/instance_requests.h"
#include "core/settings/program_options.h"
#include "platform/base/file_store_system.h"
#include "platform/base/text_codec_system.h"
#include "platform/device/device_setup.h"
#include "platform/gestures/pc_ports.h"
#include "platform/tray/tray_icon.h"
#include "shell/app/qt_clock.h"
#include "shell/app/skin_setup.h"
#include "shell/panel/main_window.h"

namespace zr4 {

class ControllerApp {
 public:
  // Sets everything up; nothing runs yet and the window is not shown.
  ControllerApp(int& argc, char** argv, const ProgramOptions& options);

  // Window creation (the start parameters run here), then watching the bus for the component
  // arriving or leaving.
  void Create();
  // The event loop until the window has closed; returns the exit code. With --screenshot the
  // picture is saved once the first status shows, and the window closes.
  int Run();

  // What a later start's request may ask of the window.
  TInstanceWindow WindowForRequests();

  TController& Controller() { return controller_; }
  MainWindow& Window() { return window_; }
  QApplication& Application() { return application_; }

 private:
  // QApplication with the program's name, version and lifetime: it ends when the window
  // closes, not when the last window hides (the window may live in the tray).
  struct ProgramApplication : QApplication {
    ProgramApplication(int& argc, char** argv);
    // What must be decided before the application exists: the display server and the scale.
    static int& BeforeStart(int& argc);
  };
  // The platform's PC-side ports with the skin's.
  TPcPorts Ports() const;

  const ProgramOptions& options_;
  std::string program_;
  ProgramApplication application_;
  QtClock clock_;
  DeviceSetup device_;
  TZR4Ctrl link_;
  TrayIcon tray_;
  MainWindow window_;
  bool windowClosed_ = false;
  SystemFileStore files_;
  SystemTextCodec codec_;
  SettingsStorage settings_;
  PlatformPcPorts pcPorts_;
  SkinSetup skins_;
  TController controller_;
};

// Saves a PNG of the window as it shows now, as SystemFileStore::WriteUserFile writes: only to
// a regular file or a new one, whole or not at all. Returns false with the reason in `error`.
bool SaveWindowPicture(MainWindow& window, SystemFileStore& files, const std::string& file,
                       std::string& error);

}  // namespace zr4
