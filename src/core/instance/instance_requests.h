// What the running instance does with a later start's request, whichever way it arrived (the
// user's local socket on Linux, the hidden window's messages on Windows).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/instance/instance_protocol.h"

namespace zr4 {

struct TPanelLabels;

// What a later start's request reaches in the running controller.
class InstanceTarget {
 public:
  // Runs a forwarded command line.
  virtual void ExecuteParams(const std::string& text) = 0;
  virtual const TPanelLabels& Labels() const = 0;
  // The application title ("ZR4PCCtrl", or with a countdown).
  virtual const std::string& Title() const = 0;
  // The volume slider's position.
  virtual int Volume() const = 0;
  // Whether the simulated component stands in for a ZR4PC.
  virtual bool Simulated() const = 0;
  // Presses keys of the simulated component's remote; the reply line.
  virtual std::string PressSimRemote(const std::string& keys) = 0;

 protected:
  ~InstanceTarget() = default;
};

// What a request may ask of the controller window; a platform without a way to ask leaves it
// empty.
struct TInstanceWindow {
  std::function<void()> restore;  // restore it and bring it to the front
  // A PNG of it; false with the reason in `error` when it could not be written.
  std::function<bool(const std::string& file, std::string& error)> savePicture;
};

class TInstanceRequests {
 public:
  TInstanceRequests(InstanceTarget& target, TInstanceWindow window);

  // Runs the request and returns the reply line: "OK" once a forwarded command line has run or
  // the window was restored, the status text for a status request, "SAVED " and the status line
  // or "FAILED " and the reason for a picture. While requests are held, a forwarded command line or
  // a restore waits (and "OK" says it was taken), and a question has no answer yet: nothing.
  std::optional<std::string> Answer(const InstanceRequest& request);

  // A later start may come while the controller window is still being created, and start-up
  // may wait there for the user to close a message. Where the instance can be reached that
  // early, requests are held from HoldUntilCreated() until WindowCreated(), which runs the
  // waiting ones in the order they came.
  void HoldUntilCreated();
  void WindowCreated();

 private:
  std::string Run(const InstanceRequest& request);

  InstanceTarget& target_;
  TInstanceWindow window_;
  bool holding_ = false;
  std::vector<InstanceRequest> waiting_;
};

}  // namespace zr4
