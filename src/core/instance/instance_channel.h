// A later start's way to the running instance. Each platform carries the instance protocol's
// requests its own way (Linux: the user's local socket beside the instance lock; Windows: the
// controller window's copy-data records); what a later start asks and what it tells its user
// is decided once, in core/instance/later_start.h.
#pragma once

#include <string>

#include "core/instance/instance_protocol.h"

namespace zr4 {

class InstanceChannel {
 public:
  struct Reply {
    enum class Outcome {
      NoInstance,      // no running instance took the request: nothing ran
      Answered,        // the instance ran it; `line` holds its answer (empty when it gives none)
      BecameInstance,  // the instance went away without running it, and this start holds the
                       // single instance now: it runs the request itself
      NoAnswer,        // an instance runs but took nothing in time: not handed over
      Hung,            // an instance took the connection but gives no answer in time: it is
                       // stopped or hung; not handed over
      Unfinished,      // the instance began to run the request but did not answer: it ran in
                       // part or whole
    };
    Outcome outcome = Outcome::NoInstance;
    std::string line;
  };

  virtual ~InstanceChannel() = default;

  // Whether requests of this kind reach the instance at all on this platform.
  virtual bool Carries(InstanceVerb verb) const = 0;
  // A question that changes nothing (the status, a key of the simulated remote): sent once,
  // never run by this start itself.
  virtual Reply Ask(const InstanceRequest& request) = 0;
  // What a later start hands over (its command line, a restore, a picture): may find the
  // instance gone and make this start the instance (BecameInstance).
  virtual Reply HandOver(const InstanceRequest& request) = 0;
};

}  // namespace zr4
