// Runs one PC-side action of this platform's ports, as a gesture would, for the tests that watch
// mock system services:
//   pc_action_probe power suspend|hibernate|poweroff|reboot|logoff
//   pc_action_probe player winamp|lilith COMMAND [PROGRAM]
//   pc_action_probe monitor on|off
//   pc_action_probe appwindow run|quit WINDOW_CLASS [PROGRAM [PARAMS]]
// Prints "done", or "error: " and the message the user would see.
#include <QCoreApplication>
#include <cstdio>
#include <map>
#include <string>

#include "core/pcactions/app_ctrl.h"
#include "core/ports/pc_commands.h"
#include "platform/gestures/logind_power_linux.h"
#include "platform/gestures/monitor_power_linux.h"
#include "platform/gestures/mpris_players_linux.h"
#include "platform/gestures/x11_app_windows_linux.h"

int main(int argc, char** argv) {
  using namespace zr4;
  QCoreApplication app(argc, argv);
  const std::string kind = argc > 2 ? argv[1] : "";
  const std::string what = argc > 2 ? argv[2] : "";
  const std::map<std::string, TPowerOperation> operations{{"suspend", TPowerOperation::Suspend},
                                                          {"hibernate", TPowerOperation::Hibernate},
                                                          {"poweroff", TPowerOperation::PowerOff},
                                                          {"reboot", TPowerOperation::Reboot},
                                                          {"logoff", TPowerOperation::LogOff}};
  const std::map<std::string, TPlayerCommand> commands{
      {"Run", TPlayerCommand::Run},          {"Quit", TPlayerCommand::Quit},
      {"Play", TPlayerCommand::Play},        {"Stop", TPlayerCommand::Stop},
      {"Next", TPlayerCommand::Next},        {"Previous", TPlayerCommand::Previous},
      {"Forward", TPlayerCommand::Forward},  {"Rewind", TPlayerCommand::Rewind},
      {"Pause", TPlayerCommand::Pause},      {"Shuffle", TPlayerCommand::Shuffle},
      {"Repeat", TPlayerCommand::Repeat},    {"ListFirst", TPlayerCommand::ListFirst},
      {"ListLast", TPlayerCommand::ListLast}};
  try {
    if (kind == "power" && operations.count(what)) {
      LogindPowerSession().Run(operations.at(what));
    } else if (kind == "player" && argc > 3 && commands.count(argv[3])) {
      MprisPlayers().Command(what == "lilith" ? TPlayer::Lilith : TPlayer::Winamp,
                             commands.at(argv[3]), argc > 4 ? argv[4] : "");
    } else if (kind == "appwindow" && argc > 3) {
      TAppCtrl app(50);
      app.Name = "Probe";
      app.WndClass = argv[3];
      app.ExePath = argc > 4 ? argv[4] : "";
      app.Params = argc > 5 ? argv[5] : "";
      X11AppWindows windows;
      app.Execute(what == "quit" ? 1 : 0, windows);
    } else if (kind == "monitor") {
      LinuxMonitorPower().SetMonitorPower(what == "on");
    } else {
      std::fprintf(stderr, "usage: see the source\n");
      return 2;
    }
  } catch (const EPcCommandError& error) {
    std::printf("error: %s\n", error.what());
    return 0;
  }
  std::printf("done\n");
  return 0;
}
