#include "platform/base/file_store_system.h"
#include "platform/gestures/logind_power_linux.h"
#include "platform/gestures/monitor_power_linux.h"
#include "platform/gestures/mpris_players_linux.h"
#include "platform/gestures/pc_ports.h"
#include "platform/gestures/pulse_outputs_linux.h"
#include "platform/gestures/x11_app_windows_linux.h"
#include "platform/options/login_start_linux.h"

namespace zr4 {

PlatformPcPorts CreatePcPorts(QWidget&) {
  PlatformPcPorts ports;
  ports.audio = std::make_unique<PulseOutputs>();
  ports.power = std::make_unique<LogindPowerSession>();
  ports.monitor = std::make_unique<LinuxMonitorPower>();
  ports.players = std::make_unique<MprisPlayers>();
  ports.appWindows = std::make_unique<X11AppWindows>();
  ports.files = std::make_unique<SystemFileStore>();
  ports.loginStart = std::make_unique<AutostartEntry>(SystemAutostartEntry(*ports.files));
  return ports;
}

}  // namespace zr4
