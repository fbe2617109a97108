// PC-side ports that record each call as one line, in the order they came.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/ports/app_windows.h"
#include "core/ports/media_players.h"
#include "core/ports/monitor_power.h"
#include "core/ports/pc_commands.h"
#include "core/ports/power_session.h"

namespace zr4::test {

class RecordingPcActions : public PowerSession,
                           public MonitorPower,
                           public MediaPlayers,
                           public AppWindows {
 public:
  void Run(TPowerOperation operation) override {
    static const char* const names[] = {"suspend", "hibernate", "poweroff", "reboot", "logoff"};
    calls.push_back(std::string("power ") + names[static_cast<int>(operation)]);
    if (!failWith.empty()) throw EPcCommandError(failWith);
  }
  void SetMonitorPower(bool on) override { calls.push_back(on ? "monitor on" : "monitor off"); }
  void Command(TPlayer player, TPlayerCommand command, const std::string& program) override {
    static const char* const names[] = {"Run",      "Quit",      "Play",    "Stop",  "Next",
                                        "Previous", "Forward",   "Rewind",  "Pause", "Shuffle",
                                        "Repeat",   "ListFirst", "ListLast"};
    calls.push_back((player == TPlayer::Winamp ? "winamp " : "lilith ") +
                    std::string(names[static_cast<int>(command)]) + " " + program);
  }
  TAppWindow FindAppWindow(const std::string& windowClass) override {
    calls.push_back("find " + windowClass);
    for (std::size_t i = 0; i < openClasses.size(); ++i)
      if (openClasses[i] == windowClass) return i + 1;
    return 0;
  }
  void BringToFront(TAppWindow window) override {
    calls.push_back("front " + std::to_string(window));
  }
  void CloseAppWindow(TAppWindow window) override {
    calls.push_back("close " + std::to_string(window));
  }
  void PostToAppWindow(TAppWindow window, std::uint32_t msg, std::int32_t wParam,
                       std::int32_t lParam) override {
    calls.push_back("post " + std::to_string(window) + " " + std::to_string(msg) + " " +
                    std::to_string(wParam) + " " + std::to_string(lParam));
  }
  void StartProgram(const std::string& program, const std::string& params) override {
    calls.push_back("start " + program + " | " + params);
  }

  std::vector<std::string> Take() { return std::exchange(calls, {}); }

  std::vector<std::string> calls;
  std::vector<std::string> openClasses;  // window n is openClasses[n - 1]
  std::string failWith;                  // message of an EPcCommandError from Run
};

}  // namespace zr4::test
