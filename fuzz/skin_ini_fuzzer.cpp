// Any bytes as a skin's INI text: reading either succeeds or fails with ESkinError, and what it
// reads stays within its fixed tables.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/ini_file.h"
#include "core/skin/skin_ini.h"
#include "platform/base/text_codec_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zr4::SystemTextCodec codec;
  const std::string text =
      zr4::DecodeIniText(std::string(reinterpret_cast<const char*>(data), size), codec);
  zr4::TSkinInfo info;
  std::vector<std::string> warnings;
  try {
    zr4::ReadSkinIni(info, text, "skin.ini", warnings);
  } catch (const zr4::ESkinError&) {
  }
  if (warnings.size() > 2) __builtin_trap();  // one message per damaged section at most
  return 0;
}
