// Paths stored in the settings file relative to the program folder.
#pragma once

#include <string>

namespace zr4 {

// `path` relative to `folder`, with ".." steps where needed and "\" between the parts, as the
// settings file writes paths on every system ("skins\skindefa.zip"). Both are full paths; either
// separator is accepted. On another drive (or another kind of root) the full path is kept.
// Drive letters and ASCII letters compare without regard to case only when the paths have
// drive letters.
std::string RelativePath(const std::string& path, const std::string& folder);

}  // namespace zr4
