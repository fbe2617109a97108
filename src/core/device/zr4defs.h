// Status record, command names and the 32-byte frames exchanged with the ZR4PC.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zr4 {

constexpr std::size_t kFrameSize = 32;
using Frame = std::array<std::uint8_t, kFrameSize>;

// Input numbers used throughout the controller (the values of TDeviceStatus::Source).
enum Input : std::uint8_t {
  kInputNone = 0,
  kInputFM = 1,
  kInputAM = 2,
  kInputCD = 3,
  kInputMD = 4,
  kInputAUX = 5,
  kInputUSB = 6,
};

// The decoded status report. Fields a report does not address keep their values.
struct TDeviceStatus {
  std::uint8_t Source = 0;    // 0 none, 1 FM, 2 AM, 3 CD, 4 MD, 5 TAPE/AUX, 6 PC USB
  std::uint8_t Standby = 0;   // 1 while in standby
  std::uint8_t ToneMode = 0;  // 0 none, 1 TONE, 2 N.B.1, 3 N.B.2
  std::uint8_t Mute = 0;      // 1 muted
  std::uint8_t TuneMode = 0;  // 0 not reported, 1 automatic, 2 manual
  std::uint8_t PlayMode = 0;  // 0 normal, 1 repeat, 2 repeat all, 3 random, 4 repeat and random
  std::int32_t Volume = 0;
  std::int32_t CdTrack = 0;
  std::int32_t CdMinute = 0;
  std::int32_t CdSecond = 0;
  std::int32_t CdInfo = 0;
  std::int32_t Preset = 0;
  std::int32_t FreqHigh = 0;
  std::int32_t FreqLow = 0;
  std::uint8_t UsbPlayback = 0;

  bool operator==(const TDeviceStatus&) const = default;
};

// Fixed commands as passed to TZR4Ctrl::SendCommand: B8, 02, command byte, argument byte.
constexpr std::uint32_t cmdPowerOn = 0xB8020681;
constexpr std::uint32_t cmdPowerOff = 0xB8020680;
constexpr std::uint32_t cmdSelectTuner = 0xB8020091;
constexpr std::uint32_t cmdSelectCD = 0xB8020092;
constexpr std::uint32_t cmdSelectUSB = 0xB8020093;
constexpr std::uint32_t cmdSelectAUX = 0xB8020095;
constexpr std::uint32_t cmdSelectMD = 0xB80201D2;
constexpr std::uint32_t cmdSelectBand = 0xB802008F;
constexpr std::uint32_t cmdMute = 0xB802009C;
constexpr std::uint32_t cmdTone = 0xB802014B;
constexpr std::uint32_t cmdAutoManual = 0xB8020118;
constexpr std::uint32_t cmdPresetUp = 0xB8020107;
constexpr std::uint32_t cmdPresetDown = 0xB8020106;
constexpr std::uint32_t cmdCdPlay = 0xB80200CB;
constexpr std::uint32_t cmdCdStop = 0xB80200C9;
constexpr std::uint32_t cmdCdNext = 0xB80200CF;
constexpr std::uint32_t cmdCdPrevious = 0xB80200CE;
constexpr std::uint32_t cmdCdForward = 0xB8020007;
constexpr std::uint32_t cmdCdRewind = 0xB8020006;
constexpr std::uint32_t cmdCdRepeat = 0xB80200CC;
constexpr std::uint32_t cmdRandom = 0xB80201D4;
constexpr std::uint32_t cmdEject = 0xB802018D;
constexpr std::uint32_t cmdTapeStop = 0xB80200DD;
constexpr std::uint32_t cmdTapeFwd = 0xB80200D9;
constexpr std::uint32_t cmdTapeRev = 0xB80200D8;
constexpr std::uint32_t cmdTapeFF = 0xB80200DB;
constexpr std::uint32_t cmdTapeFB = 0xB80200DA;
constexpr std::uint32_t cmdInputLevelUp = 0xB80201C1;
constexpr std::uint32_t cmdInputLevelDn = 0xB80201C0;
constexpr std::uint32_t cmdMdPlay = 0xB80201D8;
constexpr std::uint32_t cmdMdStop = 0xB80201D9;
constexpr std::uint32_t cmdMdPause = 0xB80201DA;
constexpr std::uint32_t cmdMdSkipUp = 0xB80201DD;
constexpr std::uint32_t cmdMdSkipDown = 0xB80201DC;
constexpr std::uint32_t cmdMdFF = 0xB80201DF;
constexpr std::uint32_t cmdMdFB = 0xB80201DE;
constexpr std::uint32_t cmdMdRepeat = 0xB80202CF;
constexpr std::uint32_t cmdMdRandom = 0xB8020342;
constexpr std::uint32_t cmdMdEject = 0xB8020340;
constexpr std::uint32_t cmdMdRec = 0xB80201DB;
constexpr std::uint32_t cmdMdCombine = 0xB80206DC;
constexpr std::uint32_t cmdMdDivide = 0xB80206DB;
constexpr std::uint32_t cmdMdOte = 0xB8020040;

// Command bytes of the commands that carry a plain-number argument.
constexpr std::uint8_t cmdPlayTrack = 0x44;
constexpr std::uint8_t cmdCallPreset = 0x4C;
constexpr std::uint8_t cmdSetVolume = 0x4D;

constexpr std::uint8_t kFrameStart = 0xB8;
constexpr std::uint8_t kFramePayload = 0x02;
constexpr int kMaxVolume = 80;

// A command frame: B8 02 command argument checksum, then zeros.
Frame BuildFrame(std::uint8_t command, std::uint8_t argument);

// Packed two-digit decimal, decoded without any validity check (0x1A gives 20).
int DecodeBcd(std::uint8_t value);

// Applies one status report to the record, touching only the fields the report addresses.
void DecodeStatus(const Frame& report, TDeviceStatus& status);

// The hex dump of a block: each byte as two upper-case hex digits followed by one space.
std::string HexDump(const std::uint8_t* data, std::size_t size);
inline std::string HexDump(const Frame& frame) { return HexDump(frame.data(), frame.size()); }

}  // namespace zr4
