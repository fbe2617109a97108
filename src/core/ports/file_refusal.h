// When a file store leaves a file alone, decided once for every system: the system's store finds
// the facts (what kind of file, how large, whether read-only) and tells the user, once per file,
// the text given here after the file's path and ": ".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/ports/file_store.h"

namespace zr4 {

// Why an existing file is not read, or nullptr when it is: not a regular file (a FIFO or a device
// in its place must not hold the program up), or larger than kFileReadLimit. A size the system
// cannot tell counts as too large. Asked again with the bytes read so far, as a file may grow
// while it is read.
const char* ReadRefusal(bool regular, std::optional<std::uint64_t> size);

// Why new contents do not replace a file, or nullptr when they may, with the outcome in `kept`:
// contents larger than kFileReadLimit would never be read back (KeptTooLarge, decided before
// anything else); a read-only file is kept as it is (KeptReadOnly).
const char* WriteRefusal(std::size_t size, bool readOnly, FileWrite& kept);

}  // namespace zr4
