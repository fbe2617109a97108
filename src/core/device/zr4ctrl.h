// The device link: the ZR4PC's operations over whichever back-end found it.
#pragma once

#include <cstdint>
#include <string>

#include "core/device/device_finder.h"
#include "core/device/zr4defs.h"
#include "core/ports/clock.h"

namespace zr4 {

class TZR4Ctrl {
 public:
  // Runs discovery; `Found` tells whether a component answered to it.
  TZR4Ctrl(Clock& clock, DeviceFinder& finder);

  std::string DevicePath;
  bool Found = false;
  RequestFn DeviceRequest;
  TDeviceStatus Status;

  // Runs discovery again (a component plugged in or switched on after start). Returns Found.
  bool Discover();

  bool ReadStatus();
  bool SendCommand(std::uint32_t code);
  bool SetVolume(int value);
  bool CallPreset(int number);
  bool PlayTrack(int number);

 private:
  bool Send(std::uint8_t command, std::uint8_t argument);

  Clock& clock_;
  DeviceFinder& finder_;
};

}  // namespace zr4
