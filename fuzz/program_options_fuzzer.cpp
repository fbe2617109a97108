// Any command line (arguments separated by zero bytes): the program's own switches parse without
// failing, and the controller's command line is always the arguments' tail, unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/program_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back() += static_cast<char>(data[i]);
    }
  }
  const zr4::ProgramOptions options = zr4::ParseProgramOptions(args);
  if (!options.error.empty()) return 0;
  if (options.params.size() > args.size() ||
      !std::equal(options.params.rbegin(), options.params.rend(), args.rbegin()))
    __builtin_trap();
  return 0;
}
