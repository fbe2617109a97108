#include "platform/instance/instance_channel_windows.h"

#include <string>
#include <vector>

#include "core/ports/log.h"

// The system's headers after the program's own, so that their macros cannot reach those.
#include "platform/instance/single_instance_windows.h"

namespace zr4 {

namespace {
// How long a status request may take: the instance answers it at once unless it is stuck.
constexpr UINT kStatusTimeoutMs = 10000;
}  // namespace

bool WindowsInstanceChannel::Carries(InstanceVerb verb) const {
  return verb != InstanceVerb::SimRemote && verb != InstanceVerb::Screenshot;
}

InstanceChannel::Reply WindowsInstanceChannel::Ask(const InstanceRequest& request) {
  if (request.verb != InstanceVerb::Status && request.verb != InstanceVerb::StatusJson) return {};
  const StatusAnswer answer =
      AskRunningInstance(request.verb == InstanceVerb::StatusJson, kStatusTimeoutMs);
  switch (answer.outcome) {
    case StatusAnswer::Outcome::NoInstance:
      return {};
    case StatusAnswer::Outcome::NoAnswer:
      return {Reply::Outcome::NoAnswer, {}};
    case StatusAnswer::Outcome::TimedOut:
      return {Reply::Outcome::Hung, {}};
    case StatusAnswer::Outcome::Answered:
      break;
  }
  return {Reply::Outcome::Answered, answer.line};
}

// Without the instance's window there is no one to hand the request to: the start ends
// silently, with a word in the log.
InstanceChannel::Reply WindowsInstanceChannel::HandOver(const InstanceRequest& request) {
  if (request.verb != InstanceVerb::Forward && request.verb != InstanceVerb::Restore) return {};
  const std::vector<std::string> params = request.verb == InstanceVerb::Forward
                                              ? std::vector<std::string>{request.text}
                                              : std::vector<std::string>{};
  if (!ForwardToRunningInstance(params)) {
    LogText("Single instance: another instance runs but has no window");
    return {};
  }
  LogText("Single instance: handed over to the running instance");
  return {Reply::Outcome::Answered, {}};
}

}  // namespace zr4
