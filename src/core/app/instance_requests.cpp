#include "core/app/instance_requests.h"

#include "core/app/controller.h"
#include "core/app/status_report.h"
#include "core/ports/log.h"

namespace zr4 {

TInstanceRequests::TInstanceRequests(TController& controller, TInstanceWindow window)
    : controller_(controller), window_(std::move(window)) {}

std::string TInstanceRequests::Answer(const InstanceRequest& request) {
  switch (request.verb) {
    case InstanceVerb::Forward:
      controller_.ExecuteParams(request.text);
      break;
    case InstanceVerb::Restore:
      LogText("Single instance: restore the window");
      if (window_.restore) window_.restore();
      break;
    case InstanceVerb::Status:
      return FormatStatusLine(controller_.Labels(), controller_.Title());
    case InstanceVerb::StatusJson:
      return FormatStatusJson(controller_.Labels(), controller_.VolumeSlider().position,
                              controller_.Title());
    case InstanceVerb::SimRemote:
      return controller_.SimRemote().Press(request.text);
    case InstanceVerb::Screenshot:
      if (!window_.savePicture || !window_.savePicture(request.text))
        return std::string(kInstanceReplyFailed);
      return std::string(kInstanceReplySaved) + FormatStatusLine(controller_.Labels());
  }
  return std::string(kInstanceReplyOk);
}

}  // namespace zr4
