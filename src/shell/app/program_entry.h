// What every platform's entry does before its own single instance: the command line read, the
// switches answered at once, diagnostics turned on, and --status read from the component itself.
#pragma once

#include <optional>

#include "core/instance/later_start.h"
#include "core/ports/log.h"
#include "core/settings/program_options.h"

namespace zr4 {

// Reads the command line into `options` and answers what needs no instance: a command line that
// cannot be used, --help, --version and --print-udev-rules; returns the exit code when the
// program ends there. With --debug, or ZR4PC_DEBUG=1 in the environment, diagnostics go to
// `diagnostics` from then on.
std::optional<int> BeginProgram(int argc, char** argv, LogSink diagnostics,
                                ProgramOptions& options);

// --status with no instance to ask: reads the component once and prints the status as the
// window would show it. Without a component it says so and fails: a script must not take the
// simulated one for the real component.
int PrintStatusOnce(int& argc, char** argv, const ProgramOptions& options);

// A later start's lines on its standard output and standard error.
StartConsole StandardStreams();

}  // namespace zr4
