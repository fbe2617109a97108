#include "core/instance/instance_protocol.h"

#include <charconv>

#include "core/instance/forwarding.h"

namespace zr4 {

namespace {
constexpr std::string_view kMagic = "ZR4PC/1 ";
constexpr std::string_view kForward = "FORWARD ";
constexpr std::string_view kSimRemote = "SIM-REMOTE ";
// A remote key's name: one short word of lower-case letters.
constexpr std::size_t kRemoteKeyMax = 8;

bool IsRemoteKeyName(std::string_view name) {
  if (name.empty() || name.size() > kRemoteKeyMax) return false;
  for (const char c : name)
    if (c < 'a' || c > 'z') return false;
  return true;
}
constexpr std::string_view kScreenshot = "SCREENSHOT ";
// The longest header: magic, "SCREENSHOT ", four digits and the newline, with some room.
constexpr std::size_t kHeaderMax = 32;

InstanceDecode Invalid() {
  return {InstanceDecode::State::Invalid, {}};
}
InstanceDecode Complete(InstanceVerb verb, std::string text = {}) {
  return {InstanceDecode::State::Complete, {verb, std::move(text)}};
}
}  // namespace

std::string EncodeInstanceRequest(const InstanceRequest& request) {
  std::string bytes(kMagic);
  switch (request.verb) {
    case InstanceVerb::Forward: {
      const std::string text = request.text.substr(0, kForwardedTextMax);
      return bytes + std::string(kForward) + std::to_string(text.size()) + "\n" + text;
    }
    case InstanceVerb::Restore:
      return bytes + "RESTORE\n";
    case InstanceVerb::Status:
      return bytes + "STATUS\n";
    case InstanceVerb::StatusJson:
      return bytes + "STATUS-JSON\n";
    case InstanceVerb::SimRemote:
      return bytes + std::string(kSimRemote) + request.text + "\n";
    case InstanceVerb::Screenshot:
      return bytes + std::string(kScreenshot) + std::to_string(request.text.size()) + "\n" +
             request.text;
  }
  return bytes;
}

InstanceDecode DecodeInstanceRequest(std::string_view received) {
  const std::size_t newline = received.find('\n');
  if (newline == std::string_view::npos) {
    // Still waiting for the header, unless it could no longer be one of ours.
    const std::size_t n = std::min(received.size(), kMagic.size());
    if (received.substr(0, n) != kMagic.substr(0, n) || received.size() >= kHeaderMax)
      return Invalid();
    return {};
  }
  if (newline >= kHeaderMax || !received.starts_with(kMagic)) return Invalid();
  const std::string_view verb = received.substr(kMagic.size(), newline - kMagic.size());
  if (verb == "RESTORE") return Complete(InstanceVerb::Restore);
  if (verb == "STATUS") return Complete(InstanceVerb::Status);
  if (verb == "STATUS-JSON") return Complete(InstanceVerb::StatusJson);
  if (verb.starts_with(kSimRemote)) {
    const std::string_view key = verb.substr(kSimRemote.size());
    if (!IsRemoteKeyName(key)) return Invalid();
    return Complete(InstanceVerb::SimRemote, std::string(key));
  }
  const bool forward = verb.starts_with(kForward);
  if (!forward && !verb.starts_with(kScreenshot)) return Invalid();

  const std::string_view digits = verb.substr(forward ? kForward.size() : kScreenshot.size());
  std::size_t length = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), length);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
      length > (forward ? kForwardedTextMax : kPicturePathMax))
    return Invalid();
  const std::string_view body = received.substr(newline + 1);
  if (body.size() < length) return {};
  if (forward) return Complete(InstanceVerb::Forward, ReceiveForwardedText(body.data(), length));
  const std::string_view path = body.substr(0, length);
  if (path.empty() || path.find('\0') != std::string_view::npos) return Invalid();
  return Complete(InstanceVerb::Screenshot, std::string(path));
}

}  // namespace zr4
