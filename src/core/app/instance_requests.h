// What the running instance does with a later start's request, whichever way it arrived (the
// user's local socket on Linux, the hidden window's messages on Windows).
#pragma once

#include <functional>
#include <string>

#include "core/app/instance_protocol.h"

namespace zr4 {

class TController;

// What a request may ask of the controller window; a platform without a way to ask leaves it
// empty.
struct TInstanceWindow {
  std::function<void()> restore;                             // restore it and bring it to the front
  std::function<bool(const std::string& file)> savePicture;  // a PNG of it; false on failure
};

class TInstanceRequests {
 public:
  TInstanceRequests(TController& controller, TInstanceWindow window);

  // Runs the request and returns the reply line: "OK" once a forwarded command line has run or
  // the window was restored, the status text for a status request, "SAVED " and the status line
  // or "FAILED" for a picture.
  std::string Answer(const InstanceRequest& request);

 private:
  TController& controller_;
  TInstanceWindow window_;
};

}  // namespace zr4
