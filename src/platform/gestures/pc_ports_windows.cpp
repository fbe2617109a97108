#include <QWidget>

#include "platform/base/program_folder.h"
#include "platform/gestures/exit_windows.h"
#include "platform/gestures/pc_api_windows.h"
#include "platform/gestures/pc_port_adapters_windows.h"
#include "platform/gestures/pc_ports.h"
#include "platform/gestures/player_ctrl_windows.h"
#include "platform/options/run_key_windows.h"

namespace zr4 {

PlatformPcPorts CreatePcPorts(QWidget& mainWindow) {
  Win32PcApi& api = SystemWin32PcApi();
  PlatformPcPorts ports;
  ports.audio = std::make_unique<WaveOutputs>(api);
  ports.power = std::make_unique<TExitWin>(api, [&mainWindow] { mainWindow.close(); });
  ports.monitor = std::make_unique<WindowsMonitorPower>(
      api, [&mainWindow] { return static_cast<std::uintptr_t>(mainWindow.winId()); });
  ports.players = std::make_unique<WindowsMediaPlayers>(api);
  ports.appWindows = std::make_unique<WindowsAppWindows>(api);
  ports.loginStart = std::make_unique<RunKeyLoginStart>(SystemWin32RunKey(), ExecutablePath());
  return ports;
}

}  // namespace zr4
