// A started controller on the simulated component whose pauses and transfers land in one log,
// in the order they happened: "send 00 CF" (command and argument bytes of a frame), "read" (a
// status read), "pause 200", "wait 1000" (a wait that runs window messages). PC commands land
// in the fake runner.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/app/controller.h"
#include "fakes/controller_parts.h"
#include "fakes/fake_view.h"
#include "fakes/sim_link.h"

namespace zr4::test {

using Log = std::vector<std::string>;

class LoggingClock : public FakeClock {
 public:
  void Pause(int ms) override {
    log.push_back("pause " + std::to_string(ms));
    FakeClock::Pause(ms);
  }
  void WaitProcessingMessages(int ms, int sleepMs) override {
    log.push_back("wait " + std::to_string(ms));
    FakeClock::WaitProcessingMessages(ms, sleepMs);
  }
  Log log;
};

// Records the PC commands run; `failWith` makes the next ones fail with that message.
class FakePcCommands : public PcCommandRunner {
 public:
  void ExecutePcCommand(int number) override {
    run.push_back(number);
    if (!failWith.empty()) throw EPcCommandError(failWith);
  }
  std::vector<int> run;
  std::string failWith;
};

// The log line of sending `command` (a cmd* constant).
inline std::string Send(std::uint32_t command) {
  char line[16];
  std::snprintf(line, sizeof line, "send %.2X %.2X", (command >> 8) & 0xFF, command & 0xFF);
  return line;
}

// The log line of sending a command that carries a number (set volume, call preset, track).
inline std::string Send(std::uint8_t command, int argument) {
  return Send(static_cast<std::uint32_t>(command) << 8 | static_cast<std::uint8_t>(argument));
}

class CommandTest : public ::testing::Test, protected SimLink<LoggingClock> {
 protected:
  CommandTest() {
    sim.SetTrace([this](const std::string& line) {
      clock.log.push_back(line.rfind("IN", 0) == 0 ? "read" : "send " + line.substr(10, 5));
    });
    controller.FormCreate({});
    clock.log.clear();
  }

  // Switches the component to `command`'s input behind the window's back, then lets the window
  // read it, so that the record holds the new input; the log starts empty afterwards.
  void Select(std::uint32_t command) {
    link.SendCommand(command);
    controller.Refresh();
    clock.log.clear();
  }

  // Sets the volume limit as the options dialog does.
  void SetVolMax(int max) {
    Parts(controller).Options().VolMax = max;
    Parts(controller).ScrollBar1().SetMax(max);
    clock.log.clear();
  }

  Log Take() {
    Log log = std::move(clock.log);
    clock.log.clear();
    return log;
  }
  FakeView view;
  FakePcCommands pcCommands;
  TController controller{clock, link, view, nullptr, TPcPorts{nullptr, &pcCommands}};
  TCommands& commands = Parts(controller).Commands();
};

}  // namespace zr4::test
