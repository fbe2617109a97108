#include "platform/app/instance_handover_linux.h"

#include <chrono>
#include <thread>

#include "core/ports/log.h"

namespace zr4 {

namespace {
// How long the instance may take to answer: a forwarded command line is answered only once it
// has run, and it may wait for the component.
constexpr int kReplyTimeoutMs = 10000;
// How long the lock may stay taken with no one listening: an instance still starting up, or
// one that is saving its settings on its way out.
constexpr int kNoListenerWaitMs = 5000;
constexpr int kRetryMs = 100;
}  // namespace

HandOverResult HandOver(const InstanceAddress& address, const InstanceRequest& request,
                        std::optional<InstanceLock>& lock) {
  using Outcome = HandOverResult::Outcome;
  for (int waited = 0;; waited += kRetryMs) {
    const InstanceReply reply = SendInstanceRequest(address.socketPath, request, kReplyTimeoutMs);
    switch (reply.outcome) {
      case InstanceReply::Outcome::Answered:
        LogText("Single instance: handed over to the running instance");
        return {Outcome::Answered, reply.line};
      case InstanceReply::Outcome::TimedOut:
        return {Outcome::Hung, {}};
      case InstanceReply::Outcome::NotListening:
      case InstanceReply::Outcome::Closed:
        break;
    }
    lock.emplace(address.lockPath);
    if (lock->Held()) {
      LogText("Single instance: the running instance has gone; this start takes its place");
      return {Outcome::BecameInstance, {}};
    }
    if (!lock->HeldElsewhere() || waited >= kNoListenerWaitMs) return {Outcome::NoAnswer, {}};
    std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
  }
}

}  // namespace zr4
