// A second start of the program as the single-instance tests see it:
//   second_start_windows <mutex name> <window class> [parameters...]
//   second_start_windows <mutex name> <window class> --status|--status-json <answer file>
// Exit code 0: handed over to the running instance (or its status answer written to the file);
// 2: an instance runs but has no window; 3: no instance runs (this process would be the first);
// 4: the instance did not answer; 5: it did not answer in time.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/instance/single_instance_windows.h"

namespace {
int AskStatus(const std::string& className, bool json, const char* answerFile) {
  const zr4::StatusAnswer answer = zr4::AskRunningInstance(json, 10000, className);
  switch (answer.outcome) {
    case zr4::StatusAnswer::Outcome::NoInstance:
      return 2;
    case zr4::StatusAnswer::Outcome::NoAnswer:
      return 4;
    case zr4::StatusAnswer::Outcome::TimedOut:
      return 5;
    case zr4::StatusAnswer::Outcome::Answered:
      break;
  }
  std::FILE* file = std::fopen(answerFile, "wb");
  if (file == nullptr) return 64;
  std::fwrite(answer.line.data(), 1, answer.line.size(), file);
  std::fclose(file);
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 64;
  zr4::InstanceMutex mutex(argv[1]);
  if (!mutex.AnotherInstanceRuns()) return 3;
  const std::vector<std::string> params(argv + 3, argv + argc);
  if (params.size() == 2 && (params[0] == "--status" || params[0] == "--status-json"))
    return AskStatus(argv[2], params[0] == "--status-json", argv[4]);
  return zr4::ForwardToRunningInstance(params, argv[2]) ? 0 : 2;
}
