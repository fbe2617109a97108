#include "core/app/instance_requests.h"

#include "core/app/controller.h"
#include "core/app/status_report.h"
#include "core/ports/log.h"

namespace zr4 {

TInstanceRequests::TInstanceRequests(TController& controller, std::function<void()> restoreWindow)
    : controller_(controller), restoreWindow_(std::move(restoreWindow)) {}

std::string TInstanceRequests::Answer(const InstanceRequest& request) {
  switch (request.verb) {
    case InstanceVerb::Forward:
      controller_.ExecuteParams(request.text);
      break;
    case InstanceVerb::Restore:
      LogText("Single instance: restore the window");
      if (restoreWindow_) restoreWindow_();
      break;
    case InstanceVerb::Status:
      return FormatStatusLine(controller_.Labels(), controller_.Title());
    case InstanceVerb::StatusJson:
      return FormatStatusJson(controller_.Labels(), controller_.VolumeSlider().position,
                              controller_.Title());
    case InstanceVerb::SimRemote:
      return controller_.SimRemote().Press(request.text);
  }
  return std::string(kInstanceReplyOk);
}

}  // namespace zr4
