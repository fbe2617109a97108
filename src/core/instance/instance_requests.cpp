#include "core/instance/instance_requests.h"

#include "core/panel/status_report.h"
#include "core/ports/log.h"

namespace zr4 {

TInstanceRequests::TInstanceRequests(InstanceTarget& target, TInstanceWindow window)
    : target_(target), window_(std::move(window)) {}

void TInstanceRequests::HoldUntilCreated() {
  holding_ = true;
}

void TInstanceRequests::WindowCreated() {
  holding_ = false;
  // A request that runs may process messages and let the next one in: it takes its turn after
  // those already waiting.
  while (!waiting_.empty()) {
    const InstanceRequest request = waiting_.front();
    waiting_.erase(waiting_.begin());
    Run(request);
  }
}

std::optional<std::string> TInstanceRequests::Answer(const InstanceRequest& request) {
  const bool changes =
      request.verb == InstanceVerb::Forward || request.verb == InstanceVerb::Restore;
  if (changes && (holding_ || !waiting_.empty())) {
    LogText("Single instance: the request waits for the window");
    waiting_.push_back(request);
    return std::string(kInstanceReplyOk);
  }
  if (holding_) return std::nullopt;
  return Run(request);
}

std::string TInstanceRequests::Run(const InstanceRequest& request) {
  switch (request.verb) {
    case InstanceVerb::Forward:
      target_.ExecuteParams(request.text);
      break;
    case InstanceVerb::Restore:
      LogText("Single instance: restore the window");
      if (window_.restore) window_.restore();
      break;
    case InstanceVerb::Status:
      return FormatStatusLine(target_.Labels(), target_.Title());
    case InstanceVerb::StatusJson:
      return FormatStatusJson(target_.Labels(), target_.Volume(), target_.Title(),
                              target_.Simulated());
    case InstanceVerb::SimRemote:
      return target_.PressSimRemote(request.text);
    case InstanceVerb::Screenshot: {
      std::string error = "no window to take a picture of";
      if (!window_.savePicture || !window_.savePicture(request.text, error))
        return std::string(kInstanceReplyFailed) + " " + error;
      return std::string(kInstanceReplySaved) + FormatStatusLine(target_.Labels());
    }
  }
  return std::string(kInstanceReplyOk);
}

}  // namespace zr4
