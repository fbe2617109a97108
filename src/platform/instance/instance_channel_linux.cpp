#include "platform/instance/instance_channel_linux.h"

#include <chrono>
#include <thread>

#include "core/ports/log.h"

namespace zr4 {

namespace {
constexpr int kRetryMs = 100;
}  // namespace

InstanceChannel::Reply LinuxInstanceChannel::Ask(const InstanceRequest& request) {
  if (!address_) return {};
  const InstanceReply reply = SendInstanceRequest(*address_, request, limits_.replyMs);
  switch (reply.outcome) {
    case InstanceReply::Outcome::NotListening:
      return {};
    case InstanceReply::Outcome::Closed:
      return {Reply::Outcome::NoAnswer, {}};
    case InstanceReply::Outcome::TimedOut:
      return {Reply::Outcome::Hung, {}};
    case InstanceReply::Outcome::Answered:
      break;
  }
  return {Reply::Outcome::Answered, reply.line};
}

InstanceChannel::Reply LinuxInstanceChannel::HandOver(const InstanceRequest& request) {
  if (!address_) return {};
  bool toldClosing = false;
  for (int waited = 0;; waited += kRetryMs) {
    const InstanceReply reply = SendInstanceRequest(*address_, request, limits_.replyMs);
    if (reply.outcome == InstanceReply::Outcome::Answered) {
      LogText("Single instance: handed over to the running instance");
      return {Reply::Outcome::Answered, reply.line};
    }
    if (reply.taken) return {Reply::Outcome::Unfinished, {}};
    if (reply.outcome == InstanceReply::Outcome::TimedOut) return {Reply::Outcome::Hung, {}};

    lock_.emplace(address_->lockPath);
    if (lock_->Held()) {
      LogText("Single instance: the running instance has gone; this start takes its place");
      return {Reply::Outcome::BecameInstance, {}};
    }
    if (!lock_->HeldElsewhere()) return {Reply::Outcome::NoAnswer, {}};
    const ClosingMark mark = ReadClosingMark(address_->lockPath);
    if (mark == ClosingMark::Stale) {
      // The mark names a process that is not the instance: nothing closes, nothing is waited for.
      lock_.emplace(address_->lockPath, InstanceLock::ReplaceStale{});
      if (!lock_->Held()) return {Reply::Outcome::NoAnswer, {}};
      LogText(
          "Single instance: the lock's closing mark names no instance; this start takes its place");
      return {Reply::Outcome::BecameInstance, {}};
    }
    if (mark == ClosingMark::Closing) {
      // Saving on its way out: however long that takes, this start takes its place after.
      if (!toldClosing) LogText("Single instance: waiting for the closing instance to end");
      toldClosing = true;
      waited = 0;
    } else if (waited >= limits_.startingMs) {
      return {Reply::Outcome::NoAnswer, {}};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
  }
}

}  // namespace zr4
