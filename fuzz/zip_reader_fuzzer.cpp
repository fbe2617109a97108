// Any bytes as a skin archive: listing and extracting either fail with EZipError or deliver at
// most the declared size, through the directory and through the scan.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/skin/zip_archive.h"
#include "platform/base/text_codec_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zr4::SystemTextCodec codec;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const bool scan : {false, true}) {
    zr4::TZipArchive zip(codec);
    try {
      if (scan)
        zip.OpenBytesByScan("fuzz.zip", bytes);
      else
        zip.OpenBytes("fuzz.zip", bytes);
    } catch (const zr4::EZipError&) {
      continue;
    }
    for (int i = 0; i < zip.Count(); ++i) {
      std::string out;
      try {
        zip.ExtractTo(i, out);
      } catch (const zr4::EZipError&) {
        if (!out.empty()) __builtin_trap();  // a failed extraction delivers nothing
        continue;
      }
      if (out.size() != zip.EntryAt(i)->UncompressedSize) __builtin_trap();
    }
  }
  return 0;
}
