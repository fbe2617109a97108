// The PC command runner of a program that has no real one: it only says what it would run.
#pragma once

#include <string>

#include "core/ports/log.h"
#include "core/ports/pc_commands.h"

namespace zr4 {

class TLoggingPcCommands : public PcCommandRunner {
 public:
  void ExecutePcCommand(int number) override {
    LogText("ExecutePcCommand: " + std::to_string(number));
  }
};

}  // namespace zr4
