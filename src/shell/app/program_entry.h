// What every platform's entry does before its own single instance: the switches answered at
// once, whether diagnostics are wanted, and --status read from the component itself.
#pragma once

#include <optional>

#include "core/app/program_options.h"

namespace zr4 {

// Switches answered before any instance is looked for: a command line that cannot be used,
// --help, --version and --print-udev-rules. Returns the exit code when the program ends here.
std::optional<int> AnswerWithoutInstance(const ProgramOptions& options);

// --debug, or ZR4PC_DEBUG=1 in the environment: diagnostics are wanted.
bool DiagnosticsWanted(const ProgramOptions& options);

// --status with no instance to ask: reads the component once and prints the status as the
// window would show it. Without a component it says so and fails: a script must not take the
// simulated one for the real component.
int PrintStatusOnce(int& argc, char** argv, const ProgramOptions& options);

}  // namespace zr4
