// The PC-side ports of this platform (audio outputs, power and session, monitors, media
// players, application windows, the start at login), created once and owned for the program's run.
#pragma once

#include <memory>

#include "core/ports/app_windows.h"
#include "core/ports/audio_outputs.h"
#include "core/ports/file_store.h"
#include "core/ports/login_start.h"
#include "core/ports/media_players.h"
#include "core/ports/monitor_power.h"
#include "core/ports/power_session.h"

class QWidget;

namespace zr4 {

struct PlatformPcPorts {
  std::unique_ptr<AudioOutputs> audio;
  std::unique_ptr<PowerSession> power;
  std::unique_ptr<MonitorPower> monitor;
  std::unique_ptr<MediaPlayers> players;
  std::unique_ptr<AppWindows> appWindows;
  std::unique_ptr<FileStore> files;  // the login start's, where it is a file
  std::unique_ptr<LoginStart> loginStart;
};

// `mainWindow` is the controller window: Windows sends monitor power through it and closes it
// when an old shell logs off.
PlatformPcPorts CreatePcPorts(QWidget& mainWindow);

}  // namespace zr4
