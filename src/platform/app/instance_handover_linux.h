// A later start's side of the single instance: it hands its request to the running instance,
// and takes the instance's place when that one goes away meanwhile (it was closing, or still
// starting and then failed), so that a request is neither lost nor run twice.
#pragma once

#include <optional>
#include <string>

#include "core/app/instance_protocol.h"
#include "platform/app/single_instance_linux.h"

namespace zr4 {

struct HandOverResult {
  enum class Outcome {
    Answered,        // the instance ran the request; `reply` holds its answer
    BecameInstance,  // the instance went away without running it, and this process holds the
                     // lock now: it is the instance and runs the request itself
    NoAnswer,        // the lock stayed taken but no instance answered in time
    Hung,            // an instance took the request but did not answer: stopped or hung
  };
  Outcome outcome = Outcome::NoAnswer;
  std::string reply;
};

// Sends `request` until the instance answers or this process holds `lock` (then
// BecameInstance). A request is sent again only when the instance did not run it: it was not
// listening, or it closed the connection unanswered (it closes its socket as soon as it begins
// to close). An instance that ran a request but died before answering would run it twice; the
// instance answers at once after running, so that window is as small as it can be.
HandOverResult HandOver(const InstanceAddress& address, const InstanceRequest& request,
                        std::optional<InstanceLock>& lock);

}  // namespace zr4
