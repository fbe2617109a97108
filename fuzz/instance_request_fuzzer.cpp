// Any bytes as what a later start sends to the running instance: decoding never fails, never
// reads past what arrived, and a complete request encodes back to bytes that decode to itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/instance/forwarding.h"
#include "core/instance/instance_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const zr4::InstanceDecode decoded = zr4::DecodeInstanceRequest(bytes);
  if (decoded.state != zr4::InstanceDecode::State::Complete) return 0;
  const zr4::InstanceRequest& request = decoded.request;
  if (request.verb == zr4::InstanceVerb::Forward && request.text.size() > zr4::kForwardedTextMax)
    __builtin_trap();
  if (request.verb == zr4::InstanceVerb::Screenshot &&
      (request.text.empty() || request.text.size() > zr4::kPicturePathMax ||
       request.text.find('\0') != std::string::npos))
    __builtin_trap();
  const zr4::InstanceDecode again = zr4::DecodeInstanceRequest(zr4::EncodeInstanceRequest(request));
  if (again.state != zr4::InstanceDecode::State::Complete || !(again.request == request))
    __builtin_trap();
  return 0;
}
