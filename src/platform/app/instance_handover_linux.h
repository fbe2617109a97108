// A later start's side of the single instance: it hands its request to the running instance,
// and takes the instance's place when that one goes away meanwhile (it was closing, or still
// starting and then failed), so that a request is neither lost nor run twice.
#pragma once

#include <optional>
#include <string>

#include "core/automation/instance_protocol.h"
#include "platform/app/single_instance_linux.h"

namespace zr4 {

// How long a later start waits for a running instance that says nothing. An instance that is
// closing is waited for as long as its process runs, whatever these say.
struct InstanceWaitLimits {
  // For an answer: a forwarded command line is answered only once it has run, and it may wait
  // for the component.
  int replyMs = 10000;
  // For an instance that holds the lock but does not listen yet: it is still starting.
  int startingMs = 5000;
};

struct HandOverResult {
  enum class Outcome {
    Answered,        // the instance ran the request; `reply` holds its answer
    BecameInstance,  // the instance went away without running it, and this process holds the
                     // lock now: it is the instance and runs the request itself
    NoAnswer,        // the lock stayed taken but no instance answered in time: not handed over
    Hung,            // an instance took the connection but not the request, and does not answer:
                     // stopped or hung; not handed over
    Unfinished,      // the instance began to run the request but did not answer: it is stopped,
                     // hung or gone, and the request ran in part or whole
  };
  Outcome outcome = Outcome::NoAnswer;
  std::string reply;
};

// Sends `request` until the instance answers or this process holds `lock` (then
// BecameInstance). A request is sent again only when the instance did not run it: it was not
// listening, or it closed the connection unanswered (it closes its socket as soon as it begins
// to close) before saying it runs the request. While the instance is closing, it is waited for as
// long as its process runs.
HandOverResult HandOver(const InstanceAddress& address, const InstanceRequest& request,
                        std::optional<InstanceLock>& lock, const InstanceWaitLimits& limits);

}  // namespace zr4
