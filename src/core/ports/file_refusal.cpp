#include "core/ports/file_refusal.h"

namespace zr4 {

const char* ReadRefusal(bool regular, std::optional<std::uint64_t> size) {
  if (!regular) return "not a regular file; not read and left as it is";
  if (!size || *size > kFileReadLimit) return "larger than 16 MiB; not read and left as it is";
  return nullptr;
}

const char* WriteRefusal(std::size_t size, bool readOnly, FileWrite& kept) {
  // CRLF line ends make a file near the limit grow past it.
  if (size > kFileReadLimit) {
    kept = FileWrite::KeptTooLarge;
    return "would be larger than 16 MiB, too large to read back; kept as it is, nothing is saved "
           "to it";
  }
  if (readOnly) {
    kept = FileWrite::KeptReadOnly;
    return "read-only; kept as it is, nothing is saved to it";
  }
  return nullptr;
}

}  // namespace zr4
