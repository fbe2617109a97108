#include "core/device/zr4defs.h"

namespace zr4 {

Frame BuildFrame(std::uint8_t command, std::uint8_t argument) {
  Frame frame{};
  frame[0] = kFrameStart;
  frame[1] = kFramePayload;
  frame[2] = command;
  frame[3] = argument;
  frame[4] = static_cast<std::uint8_t>(frame[0] + frame[1] + frame[2] + frame[3]);
  return frame;
}

int DecodeBcd(std::uint8_t value) { return (value & 0x0F) + 10 * (value >> 4); }

void DecodeStatus(const Frame& report, TDeviceStatus& status) {
  status.Volume = DecodeBcd(report[4]);

  switch (report[5] & 0x0F) {
    case 1:
      status.Standby = 0;
      status.Mute = 0;
      break;
    case 2:
      status.Standby = 1;
      status.Mute = 0;
      break;
    case 3:
      status.Standby = 0;
      status.Mute = 1;
      break;
    default:
      status.Standby = 0;
      break;
  }

  // Bits 4 and 5 carry the tone mode, bit 7 the PC USB playback flag; the flag is only
  // refreshed together with a tone mode.
  switch (report[5] & 0xF0) {
    case 0x10: status.ToneMode = 2, status.UsbPlayback = 0; break;
    case 0x20: status.ToneMode = 3, status.UsbPlayback = 0; break;
    case 0x30: status.ToneMode = 1, status.UsbPlayback = 0; break;
    case 0x90: status.ToneMode = 2, status.UsbPlayback = 1; break;
    case 0xA0: status.ToneMode = 3, status.UsbPlayback = 1; break;
    case 0xB0: status.ToneMode = 1, status.UsbPlayback = 1; break;
    default: status.ToneMode = 0; break;
  }

  switch (report[3] & 0x0F) {
    case 0:
      status.Source = report[14] == 1 ? kInputAM : kInputFM;
      status.Preset = DecodeBcd(report[9]);
      status.FreqHigh = DecodeBcd(report[12]);
      status.FreqLow = DecodeBcd(report[13]);
      break;
    case 1:
      status.Source = kInputCD;
      status.CdTrack = DecodeBcd(report[9]);
      status.CdMinute = DecodeBcd(report[10]);
      status.CdSecond = DecodeBcd(report[11]);
      status.CdInfo = DecodeBcd(report[13]);
      switch (report[14]) {
        case 0x02: status.PlayMode = 3; break;
        case 0x04: status.PlayMode = 1; break;
        case 0x08: status.PlayMode = 2; break;
        case 0x0A: status.PlayMode = 4; break;
        default: status.PlayMode = 0; break;
      }
      break;
    case 2: status.Source = kInputMD; break;
    case 3: status.Source = kInputAUX; break;
    case 4: status.Source = kInputUSB; break;
    default: status.Source = kInputNone; break;
  }

  switch (report[15]) {
    case 0: status.TuneMode = 1; break;
    case 1: status.TuneMode = 2; break;
    default: status.TuneMode = 0; break;
  }
}

std::string HexDump(const std::uint8_t* data, std::size_t size) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(size * 3);
  for (std::size_t i = 0; i < size; ++i) {
    text += kDigits[data[i] >> 4];
    text += kDigits[data[i] & 0x0F];
    text += ' ';
  }
  return text;
}

}  // namespace zr4
