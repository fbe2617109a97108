// The requests a second start sends to the running instance over the user's local socket, one
// request per connection:
//
//   "ZR4PC/1 FORWARD <n>\n" and n bytes   hand a command line to the executor (n <= 255)
//   "ZR4PC/1 RESTORE\n"                   restore the window and bring it to the front
//   "ZR4PC/1 STATUS\n"                    what the window shows, as the status line
//   "ZR4PC/1 STATUS-JSON\n"               the same as a JSON object
//   "ZR4PC/1 SIM-REMOTE <key>\n"           press a key of the simulated component's remote
//   "ZR4PC/1 SCREENSHOT <n>\n" and n bytes save a PNG of the window to that absolute path
//
// The running instance answers with one line: "OK" once a forwarded command line has been
// executed (before it runs, "RUNNING" on a line of its own says it was taken: running it may take
// long, and a sender that gives up meanwhile must not report it as not handed over), the window
// restored or the remote key pressed, the status text, why a remote key could not be pressed, or
// for a picture "SAVED " and the status line, or "FAILED " and why.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zr4 {

enum class InstanceVerb { Forward, Restore, Status, StatusJson, SimRemote, Screenshot };

struct InstanceRequest {
  InstanceVerb verb = InstanceVerb::Restore;
  // Forward: the forwarded command line; SimRemote: the key's name; Screenshot: the picture's
  // path.
  std::string text;
  bool operator==(const InstanceRequest&) const = default;
};

constexpr std::string_view kInstanceReplyOk = "OK";
constexpr std::string_view kInstanceReplyRunning = "RUNNING";
constexpr std::string_view kInstanceReplySaved = "SAVED ";
constexpr std::string_view kInstanceReplyFailed = "FAILED";
// The longest picture path a request may carry (the system's own limit).
constexpr std::size_t kPicturePathMax = 4095;
// A reply line longer than this is not one of ours.
constexpr std::size_t kInstanceReplyMax = 4096;

// The bytes a client sends; a forwarded text is cut as BuildForwardedText cuts it.
std::string EncodeInstanceRequest(const InstanceRequest& request);

struct InstanceDecode {
  enum class State { NeedMore, Invalid, Complete } state = State::NeedMore;
  InstanceRequest request;  // valid when Complete
};

// Decodes what has arrived so far on a connection. NeedMore until the whole request is there;
// Invalid for anything that is not a request of the list above (the connection is dropped).
// A forwarded text ends at its first zero byte and is never read past its stated length; a
// picture path holding a zero byte is invalid.
InstanceDecode DecodeInstanceRequest(std::string_view received);

}  // namespace zr4
