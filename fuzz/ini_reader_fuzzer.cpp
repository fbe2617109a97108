// Any bytes as an INI file: reading never fails, and what is written reads back to itself; read
// as "Radio.ini", every listed frequency finds a name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/ini_file.h"
#include "core/settings/station_list.h"
#include "platform/base/text_codec_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zr4::SystemTextCodec codec;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = zr4::DecodeIniText(bytes, codec);
  if (!zr4::IsValidUtf8(text)) __builtin_trap();

  zr4::TIniFile ini = zr4::TIniFile::Parse(text);
  ini.ReadInteger("Setting", "VolMax", 70);
  ini.ReadBool("RemoCon", "Enable", false);
  const std::vector<std::string> stations = zr4::ReadStations(ini);
  for (const std::string& entry : stations)
    if (!zr4::FindStationName(stations, entry.substr(0, entry.find(',')))) __builtin_trap();
  const std::string once = ini.Serialize();
  if (zr4::TIniFile::Parse(once).Serialize() != once) __builtin_trap();

  // Erase and rewrite as the settings save does; the result is again a fixed point.
  ini.EraseSection("Timer");
  ini.WriteString("Timer", "Timer0", text.substr(0, 32));
  ini.WriteString("Setting", "Modebtn", "1,0,1,0,1");
  const std::string twice = ini.Serialize();
  if (zr4::TIniFile::Parse(twice).Serialize() != twice) __builtin_trap();
  return 0;
}
