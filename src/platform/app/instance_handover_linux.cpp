#include "platform/app/instance_handover_linux.h"

#include <chrono>
#include <thread>

#include "core/ports/log.h"

namespace zr4 {

namespace {
constexpr int kRetryMs = 100;
}  // namespace

HandOverResult HandOver(const InstanceAddress& address, const InstanceRequest& request,
                        std::optional<InstanceLock>& lock, const InstanceWaitLimits& limits) {
  using Outcome = HandOverResult::Outcome;
  bool toldClosing = false;
  for (int waited = 0;; waited += kRetryMs) {
    const InstanceReply reply = SendInstanceRequest(address, request, limits.replyMs);
    if (reply.outcome == InstanceReply::Outcome::Answered) {
      LogText("Single instance: handed over to the running instance");
      return {Outcome::Answered, reply.line};
    }
    if (reply.taken) return {Outcome::Unfinished, {}};
    if (reply.outcome == InstanceReply::Outcome::TimedOut) return {Outcome::Hung, {}};

    lock.emplace(address.lockPath);
    if (lock->Held()) {
      LogText("Single instance: the running instance has gone; this start takes its place");
      return {Outcome::BecameInstance, {}};
    }
    if (!lock->HeldElsewhere()) return {Outcome::NoAnswer, {}};
    if (InstanceIsClosing(address.lockPath)) {
      // Saving on its way out: however long that takes, this start takes its place after.
      if (!toldClosing) LogText("Single instance: waiting for the closing instance to end");
      toldClosing = true;
      waited = 0;
    } else if (waited >= limits.startingMs) {
      return {Outcome::NoAnswer, {}};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
  }
}

}  // namespace zr4
