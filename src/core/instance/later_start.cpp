#include "core/instance/later_start.h"

#include <algorithm>

#include "core/instance/forwarding.h"

namespace zr4 {

namespace {

using Outcome = InstanceChannel::Reply::Outcome;

constexpr std::string_view kDoesNotAnswer =
    "the running instance does not answer (it is stopped or hung)";

std::string Line(std::string_view what) {
  return "zr4pcctrl: " + std::string(what);
}

// The picture the instance saved: its status line, then where the picture went.
void TellSaved(const InstanceRequest& request, const std::string& reply,
               const StartConsole& console) {
  console.out(reply.substr(kInstanceReplySaved.size()));
  console.out("Saved window picture to " + request.text);
}

// "FAILED " and the reason (an older instance gives none).
void TellNotSaved(const InstanceRequest& request, const std::string& reply,
                  const StartConsole& console) {
  const std::string_view reason =
      std::string_view(reply).substr(std::min(reply.size(), kInstanceReplyFailed.size() + 1));
  console.error(Line("the running instance cannot save " + request.text +
                     (reason.empty() ? "" : ": ") + std::string(reason)));
}

}  // namespace

std::optional<int> AskStatus(InstanceChannel& channel, bool json, const StartConsole& console) {
  const InstanceChannel::Reply reply =
      channel.Ask({json ? InstanceVerb::StatusJson : InstanceVerb::Status, {}});
  if (reply.outcome == Outcome::Hung) {
    console.error(Line(kDoesNotAnswer));
    return 1;
  }
  if (reply.outcome == Outcome::Answered) {
    console.out(reply.line);
    return 0;
  }
  return std::nullopt;
}

int PressSimRemote(InstanceChannel& channel, const std::string& key, const StartConsole& console) {
  if (!channel.Carries(InstanceVerb::SimRemote)) {
    console.error(Line("--sim-remote is not available on this system"));
    return 1;
  }
  const InstanceChannel::Reply reply = channel.Ask({InstanceVerb::SimRemote, key});
  if (reply.outcome == Outcome::NoInstance) {
    console.error(Line("--sim-remote: no running instance to press the key on"));
    return 1;
  }
  if (reply.outcome != Outcome::Answered || reply.line != kInstanceReplyOk) {
    console.error(
        Line("--sim-remote: " +
             (reply.outcome != Outcome::Answered ? std::string(kDoesNotAnswer) : reply.line)));
    return 1;
  }
  return 0;
}

std::vector<InstanceRequest> LaterStartRequests(const ProgramOptions& options,
                                                const std::string& absolutePicture) {
  std::vector<InstanceRequest> requests;
  if (!options.params.empty())
    requests.push_back({InstanceVerb::Forward, BuildForwardedText(options.params)});
  if (!options.screenshotFile.empty())
    requests.push_back({InstanceVerb::Screenshot, absolutePicture});
  // A start at login finds an instance already running (started by hand, or by a second
  // autostart entry): nothing may come to the front of the new session.
  if (requests.empty() && !options.atLogin) requests.push_back({InstanceVerb::Restore, {}});
  return requests;
}

std::optional<int> HandOverLaterStart(ProgramOptions& options,
                                      const std::vector<InstanceRequest>& requests,
                                      InstanceChannel& channel, const StartConsole& console) {
  // A request the channel cannot carry is refused before anything is handed over: the user
  // gets all of this start or, with the reason, none of it.
  for (const InstanceRequest& request : requests) {
    if (request.verb == InstanceVerb::Screenshot && !channel.Carries(request.verb)) {
      console.error(Line("another instance runs and cannot save " + options.screenshotFile +
                         " for this start"));
      return 1;
    }
  }
  for (const InstanceRequest& request : requests) {
    // The instance takes no longer path: it would drop the request unanswered.
    if (request.verb == InstanceVerb::Screenshot && request.text.size() > kPicturePathMax) {
      console.error(Line("cannot save " + request.text +
                         ": the path is too long to hand to the running instance (at most " +
                         std::to_string(kPicturePathMax) + " bytes)"));
      return 1;
    }
    const InstanceChannel::Reply result = channel.HandOver(request);
    switch (result.outcome) {
      case Outcome::Answered:
        if (request.verb == InstanceVerb::Forward) options.params.clear();
        if (request.verb != InstanceVerb::Screenshot) break;
        if (!result.line.starts_with(kInstanceReplySaved)) {
          TellNotSaved(request, result.line, console);
          return 1;
        }
        TellSaved(request, result.line, console);
        break;
      case Outcome::BecameInstance:
        return std::nullopt;
      case Outcome::NoInstance:
        // The instance's mark is there but nothing takes the request (Windows: its window is
        // missing): this start ends quietly, the channel having logged why.
        return 0;
      case Outcome::NoAnswer:
      case Outcome::Hung:
        console.error(
            Line(std::string(result.outcome == Outcome::Hung
                                 ? kDoesNotAnswer
                                 : "another instance holds the lock but does not answer") +
                 "; the request was not handed over"));
        return 1;
      case Outcome::Unfinished:
        console.error(
            Line("the running instance took the request but did not finish it (it is stopped, "
                 "hung or gone)"));
        return 1;
    }
  }
  return 0;
}

}  // namespace zr4
