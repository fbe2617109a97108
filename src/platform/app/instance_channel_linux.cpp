#include "platform/app/instance_channel_linux.h"

namespace zr4 {

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
  const HandOverResult result = zr4::HandOver(*address_, request, lock_, limits_);
  switch (result.outcome) {
    case HandOverResult::Outcome::BecameInstance:
      return {Reply::Outcome::BecameInstance, {}};
    case HandOverResult::Outcome::NoAnswer:
      return {Reply::Outcome::NoAnswer, {}};
    case HandOverResult::Outcome::Hung:
      return {Reply::Outcome::Hung, {}};
    case HandOverResult::Outcome::Unfinished:
      return {Reply::Outcome::Unfinished, {}};
    case HandOverResult::Outcome::Answered:
      break;
  }
  return {Reply::Outcome::Answered, result.reply};
}

}  // namespace zr4
