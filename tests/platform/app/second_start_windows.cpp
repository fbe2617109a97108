// A second start of the program as the single-instance tests see it:
//   second_start_windows <mutex name> <window class> [parameters...]
// Exit code 0: handed over to the running instance; 2: an instance runs but has no window;
// 3: no instance runs (this process would be the first).
#include <string>
#include <vector>

#include "platform/app/single_instance_windows.h"

int main(int argc, char** argv) {
  if (argc < 3) return 64;
  zr4::InstanceMutex mutex(argv[1]);
  if (!mutex.AnotherInstanceRuns()) return 3;
  const std::vector<std::string> params(argv + 3, argv + argc);
  return zr4::ForwardToRunningInstance(params, argv[2]) ? 0 : 2;
}
