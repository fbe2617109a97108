// What the running instance does with a later start's request, whichever way it arrived (the
// user's local socket on Linux, the hidden window's messages on Windows).
#pragma once

#include <functional>
#include <string>

#include "core/app/instance_protocol.h"

namespace zr4 {

class TController;

class TInstanceRequests {
 public:
  // `restoreWindow` restores the controller window and brings it to the front.
  TInstanceRequests(TController& controller, std::function<void()> restoreWindow);

  // Runs the request and returns the reply line: "OK" once a forwarded command line has run or
  // the window was restored, the status text for a status request.
  std::string Answer(const InstanceRequest& request);

 private:
  TController& controller_;
  std::function<void()> restoreWindow_;
};

}  // namespace zr4
