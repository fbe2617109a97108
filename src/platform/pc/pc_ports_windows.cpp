#include <QWidget>

#include "platform/app/program_folder.h"
#include "platform/app/windows_run_key.h"
#include "platform/pc/exit_win.h"
#include "platform/pc/pc_ports.h"
#include "platform/pc/player_ctrl.h"
#include "platform/pc/win32_pc_api.h"
#include "platform/pc/windows_pc_ports.h"

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
