#include "core/device/zr4ctrl.h"

#include <algorithm>

#include "core/ports/log.h"

namespace zr4 {

namespace {
constexpr int kLinkPauseMs = 100;
}

TZR4Ctrl::TZR4Ctrl(Clock& clock, DeviceFinder& finder) : clock_(clock), finder_(finder) {
  Discover();
}

bool TZR4Ctrl::Discover() {
  if (auto device = finder_.FindDevice()) {
    DevicePath = std::move(device->path);
    DeviceRequest = std::move(device->request);
    Found = true;
  } else {
    LogText("DEVICE NOT FOUND");
    Found = false;
  }
  return Found;
}

bool TZR4Ctrl::ReadStatus() {
  if (!Found) return false;
  Frame report{};
  if (!DeviceRequest(true, report.data())) return false;
  DecodeStatus(report, Status);
  return true;
}

bool TZR4Ctrl::Send(std::uint8_t command, std::uint8_t argument) {
  Frame frame = BuildFrame(command, argument);
  return DeviceRequest(false, frame.data());
}

bool TZR4Ctrl::SendCommand(std::uint32_t code) {
  if (!Found) return false;
  return Send(static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code));
}

bool TZR4Ctrl::SetVolume(int value) {
  if (!Found) return false;
  const auto volume = static_cast<std::uint8_t>(std::clamp(value, 0, kMaxVolume));
  clock_.Pause(kLinkPauseMs);
  return Send(cmdSetVolume, volume);
}

bool TZR4Ctrl::CallPreset(int number) {
  if (!Found) return false;
  SendCommand(cmdSelectTuner);
  clock_.Pause(kLinkPauseMs);
  return Send(cmdCallPreset, static_cast<std::uint8_t>(number));
}

bool TZR4Ctrl::PlayTrack(int number) {
  if (!Found) return false;
  return Send(cmdPlayTrack, static_cast<std::uint8_t>(number));
}

}  // namespace zr4
